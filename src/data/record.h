// The one record of a run: options, answers of the dialogue, what the phases hand on, and what the run said
// (its result rows with the values behind them, what each question showed and took, its messages).
#pragma once

#include "data/tables.h"

struct OptionFlags {
    int help;              // -h: readme.txt has been written
    int diagnostics;       // -br: write Eingaben-Variablen.txt
    int xl;                // -xl: ask and compute the L and XL variants
    int extraRaces;        // -or: five extra races
    int resultsFile;       // -dat: write Ergebnis.txt
    int manual;            // -m: let the user replace computed demands and SKW counts
    int energySurplus;     // -es: show the SKW capacity left out of account
    int optimise;          // -opt: minimising surplus classes
    char raceNamesAnswer;  // 'j' or 'n'; 0 when -or is absent
    char echoAnswer;       // 'j' or 'n'; 0 when -dat is absent
};

struct RaceLevel3 {
    int WF;      // ore-based Level 3 factories
    int OF;      // silicon-based Level 3 factories
    int NF;      // WF + OF; the crystal race later adds KG
    int mark2O;  // surplus class of NF
};

struct InputRecord {
    int saleSkwM, saleSkwL, saleSkwXL;  // solar power plants of each size whose EZ are sold
    int saleSkwLOdd;                    // saleSkwL % 2, sign of saleSkwL
    int EAM, EAL, EAXL;                 // ore mine yields of each size for sale (XL with -xl)
    int EAG;                            // ore sale yield in size units
    int SAM, SAL, SAXL;                 // silicon mine yields of each size for sale (XL with -xl)
    int SAG;                            // silicon sale yield in size units
    int L1M, L1L, L1XL;                 // Level 1 factories of each size for sale (XL with -xl)
    int L1G;                            // Level 1 sale total in size units
    int L2M, L2L, L2XL;                 // Level 2 (+L1) factories of each size for sale (XL with -xl)
    int L2G;                            // Level 2 sale total in size units
    int KM, KL, KXL;                    // crystal factories of each size for sale (L and XL with -xl)
    int KG;                             // crystal factories for sale in size units
    int special[SPECIAL_COUNT];         // GKF, KDF, SBF
    int specialMark2O[SPECIAL_COUNT];   // surplus class of each special count
    RaceLevel3 race[RACE_COUNT];        // Level 3 factories per race
    char crystalRace;                   // 'a', 'b', 'p', 's', 't' or 'u'
};

struct SkwTotals {
    int M;   // SKW M of the whole complex, sale SKWs included
    int L;   // SKW L of the whole complex
    int XL;  // SKW XL of the whole complex
};

// A value behind a result line, under the short code the diagnostics file gives it.
struct Fact {
    const char* code;
    double value;
};
constexpr int FACT_LIMIT = 11;  // a crystal race's food chain has the most

// One result line as a front end can show it without reading the text: what kind of line it is, which one (its
// code, the same whatever the wording or the race names of the run), and whom it supplies.
enum RowKind {
    ROW_PLANTS,         // the complex's solar power plants
    ROW_CAPACITY,       // the SKW capacity left out of account (-es)
    ROW_CRYSTALS,       // the crystal factories of the plants
    ROW_CRYSTAL_FOOD,   // the food chain of those crystal factories when no race feeds them
    ROW_RACE_CHAIN,     // a race's food chain
    ROW_SPECIAL_CHAIN,  // a special factory kind's food chain
    ROW_MINES,          // the ore or silicon mines
    ROW_SALE,           // what is sold per hour
    ROW_NOTE,           // a line that only names itself (no ore or no silicon needed)
    ROW_KIND_COUNT
};

struct ResultRow {
    RowKind kind;
    const char* code;        // the line: "SKW", "ES", "KF", "KFNP", "NP.A", "NP.GKF", "ME", "MS", "VK.EZ", ...
    const char* feeds;       // what the line supplies: a race's code, a special factory's, "KF", "SKW"; or null
    const char* race;        // the race or special factory the line is for, named as this run names it; or null
    int pairs;               // a count is a Level 2 factory with its Level 1 supplier
    Label name;              // what the line names (a note's text)
    int count[SIZE_COUNT];   // factories or plants of each size
    int shown;               // the sizes the line shows, a bit 1 << Size each
    char mark;               // surplus mark '-', 'S', 'M' or 'F'; 0 when the line has none
    int number;              // EZ surplus of the plants, or the uncounted capacity
    double value[3];         // mine yields (Kritisch, Ausreichend, Empfohlen) or the sale, as shown
    int valueCount;          // how many of value the line shows
    int gap;                 // the line opens a group of chains after a blank line
    Fact facts[FACT_LIMIT];  // the values the line comes from
    int factCount;
};
constexpr int ROW_LIMIT = 24;  // a run with every option says 23 lines

// What a supplying row delivers to a consumer per hour: the page draws the chain from these.
enum FlowKind { FLOW_ENERGY, FLOW_CRYSTALS, FLOW_FOOD, FLOW_ORE, FLOW_SILICON, FLOW_KIND_COUNT };
struct Flow {
    unsigned char kind;    // a FlowKind
    unsigned char row;     // the supplying row
    unsigned char race;    // the consuming race when consumer is null
    const char* consumer;  // an input code (L1G, KG, GKF, ...), SKW or KF for the complex's plants and their
                           // crystal factories, or null for a race
    double amount;         // EZ, crystal factory size units, food size units, ore or silicon per hour
};
constexpr int FLOW_LIMIT = 64;

// Where an answer came from.
enum AnswerSource { SOURCE_NONE, SOURCE_TYPED, SOURCE_SHOWN, SOURCE_UNREAD, SOURCE_COUNT };

// What one question of the table showed and took in this run.
struct QuestionState {
    double shown;           // what an -m question showed
    double taken;           // what the run took (a letter as its code)
    unsigned char asked;    // the question was asked
    unsigned char source;   // an AnswerSource: typed, the shown value taken, or nothing readable
    unsigned char refused;  // the console would refuse the shown value as out of range
};

// A message line of the run, kept with what it concerns.
enum MessageAbout { ABOUT_QUESTION, ABOUT_ROW, ABOUT_FILE, ABOUT_INPUT, ABOUT_CONSOLE, ABOUT_COUNT };
struct Message {
    MessageAbout about;
    int index;      // the question, the row or the file it concerns
    char text[96];  // as printed, without its line ends
};
constexpr int MESSAGE_LIMIT = 8;
constexpr int QUESTION_LIMIT = 48;  // the dialogue's questions and the -m ones

struct RunRecord {
    OptionFlags opt;
    InputRecord in;
    SkwTotals skw;
    int EnergyRemainder;  // demand left after the SKW allocation; negation is the EZ surplus
    float MS;             // silicon demand, tested for the end banner
    QuestionState questions[QUESTION_LIMIT];
    ResultRow rows[ROW_LIMIT];
    int rowCount;
    Flow flows[FLOW_LIMIT];
    int flowCount;
    Message messages[MESSAGE_LIMIT];
    int messageCount;  // also those beyond MESSAGE_LIMIT, which are not kept
};

extern RunRecord run;
