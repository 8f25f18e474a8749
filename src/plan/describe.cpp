// The page is told in JSON what the console prints as text: the tables the form is built from (options,
// questions with their keys and kinds of answer, groups for sale, special factories, races, files) and the record of the last run (options and
// answers, result rows with their codes and the values behind them, flows, what each question showed and took and
// why a plan's field was refused, messages). Only what a page module reads is said.
#include "plan/plan.h"

#include <iterator>

namespace {

const char* const KIND_NAME[] = { "count", "letter", "demand" };
static_assert(std::size(KIND_NAME) == ANSWER_KIND_COUNT);
const char* const REFUSAL_NAME[] = { "none", "range", "whole", "finite", "letter", "unreadable", "tooLong" };
static_assert(std::size(REFUSAL_NAME) == REFUSAL_COUNT);
const char* const ROW_TYPE_NAME[] = { "plants",       "capacity", "crystals", "crystalFood", "raceChain",
                                      "specialChain", "mines",    "sale",     "note" };
static_assert(std::size(ROW_TYPE_NAME) == ROW_KIND_COUNT);
const char* const FLOW_KIND_NAME[] = { "energy", "crystals", "food", "ore", "silicon" };
static_assert(std::size(FLOW_KIND_NAME) == FLOW_KIND_COUNT);
const char* const SOURCE_NAME[] = { "none", "typed", "shown", "unread" };
static_assert(std::size(SOURCE_NAME) == SOURCE_COUNT);
const char* const ABOUT_NAME[] = { "question", "row", "file", "input", "console" };
static_assert(std::size(ABOUT_NAME) == ABOUT_COUNT);

const char* nameOf(OptionCode o) { return OPTIONS[o].spelling + 1; }

// The code of the race a crystal race letter names, or 0 for no race.
char raceOfCrystalLetter(char letter) {
    for (const RaceInfo& race : RACES) {
        if (race.crystalLetter && race.crystalLetter == letter) return race.code;
    }
    return 0;
}

void putRow(const ResultRow& row) {
    jsonBegin('{');
    jsonKey("code");
    jsonString(row.code);
    jsonKey("type");
    jsonString(ROW_TYPE_NAME[row.kind]);
    jsonKey("feeds");
    jsonString(row.feeds);
    jsonKey("race");
    jsonString(row.race);
    jsonKey("pairs");
    jsonNumber(row.pairs);
    jsonKey("name");
    jsonString(row.name.file ? row.name.file : row.name.console);
    jsonKey("count");
    jsonBegin('[');
    for (int size = 0; size < SIZE_COUNT; ++size) jsonNumber(row.count[size]);
    jsonEnd(']');
    jsonKey("shown");
    jsonNumber(row.shown);
    jsonKey("mark");
    jsonLetter(row.mark);
    jsonKey("number");
    jsonNumber(row.number);
    jsonKey("valueText");  // as the line prints them
    jsonBegin('[');
    for (int v = 0; v < row.valueCount; ++v) {
        char text[400];
        TextOut out = { text, 0, sizeof text };
        putWhole(out, row.value[v]);
        jsonString(text);
    }
    jsonEnd(']');
    jsonKey("facts");
    jsonBegin('{');
    for (int f = 0; f < row.factCount; ++f) {
        jsonKey(row.facts[f].code);
        jsonNumber(row.facts[f].value);
    }
    jsonEnd('}');
    jsonEnd('}');
}

void putFlow(const Flow& flow) {
    jsonBegin('{');
    jsonKey("kind");
    jsonString(FLOW_KIND_NAME[flow.kind]);
    jsonKey("row");
    jsonNumber(flow.row);
    jsonKey("consumer");
    jsonString(flow.consumer ? flow.consumer : nullptr);
    jsonKey("race");
    jsonLetter(flow.consumer ? '\0' : RACES[flow.race].code);
    jsonKey("amount");
    jsonNumber(flow.amount);
    jsonEnd('}');
}

void putQuestion(int i, const PlanTaken* taken) {
    const QuestionState& state = run.questions[i];
    jsonBegin('{');
    jsonKey("asked");
    jsonNumber(state.asked);
    jsonKey("shown");
    jsonNumber(state.shown);
    jsonKey("taken");
    jsonNumber(state.taken);
    jsonKey("source");
    jsonString(SOURCE_NAME[state.source]);
    jsonKey("refused");
    jsonNumber(state.refused);
    if (taken && taken->problem[i] != REFUSAL_NONE) {
        jsonKey("problem");
        jsonString(REFUSAL_NAME[taken->problem[i]]);
    }
    jsonEnd('}');
}

void putOptions() {
    jsonKey("options");
    jsonBegin('{');
    for (int o = 0; o < OPTION_COUNT; ++o) {
        jsonKey(nameOf(static_cast<OptionCode>(o)));
        jsonNumber(run.opt.*OPTIONS[o].flag);
    }
    jsonEnd('}');
    jsonKey("answers");
    jsonBegin('{');
    for (int o = 0; o < OPTION_COUNT; ++o) {
        if (!OPTIONS[o].answer) continue;
        jsonKey(nameOf(static_cast<OptionCode>(o)));
        jsonLetter(run.opt.*OPTIONS[o].answer);
    }
    jsonEnd('}');
}

void putMessages() {
    jsonKey("messages");
    jsonBegin('[');
    for (int m = 0; m < run.messageCount && m < MESSAGE_LIMIT; ++m) {
        const Message& message = run.messages[m];
        jsonBegin('{');
        jsonKey("about");
        jsonString(ABOUT_NAME[message.about]);
        jsonKey("index");
        jsonNumber(message.index);
        jsonKey("text");
        jsonString(message.text);
        jsonEnd('}');
    }
    jsonEnd(']');
}

void putOptionTable() {
    jsonKey("options");
    jsonBegin('[');
    for (int o = 0; o < OPTION_COUNT; ++o) {
        const OptionInfo& info = OPTIONS[o];
        jsonBegin('{');
        jsonKey("name");
        jsonString(nameOf(static_cast<OptionCode>(o)));
        jsonKey("spelling");
        jsonString(info.spelling);
        jsonKey("question");
        jsonString(info.question);
        jsonEnd('}');
    }
    jsonEnd(']');
    jsonKey("raceNames");
    jsonString(nameOf(RACE_NAMES_OPTION));
}

// The groups for sale with the consumer code of each and its questions' keys by size (null where none is asked);
// the special factories with the key of their question; the sizes in the order of a row's counts.
void putSaleTables() {
    jsonKey("sizes");
    jsonBegin('[');
    for (const char* size : SIZE_LETTER) jsonString(size);
    jsonEnd(']');
    jsonKey("saleGroups");
    jsonBegin('[');
    for (const SaleGroup& g : SALE_GROUPS) {
        jsonBegin('{');
        jsonKey("consumer");
        jsonString(g.consumer);
        jsonKey("keys");
        jsonBegin('[');
        for (int size = 0; size < SIZE_COUNT; ++size) {
            const Question* asked = nullptr;
            for (const Question& q : QUESTIONS) {
                if (q.group == g.group && q.size == size) asked = &q;
            }
            jsonString(asked ? keyOf(*asked).text : nullptr);
        }
        jsonEnd(']');
        jsonEnd('}');
    }
    jsonEnd(']');
    jsonKey("specials");
    jsonBegin('[');
    for (const Question& q : QUESTIONS) {
        if (q.group != GROUP_SPECIALS) continue;
        jsonBegin('{');
        jsonKey("code");
        jsonString(SPECIALS[q.index].code);
        jsonKey("key");
        jsonString(keyOf(q).text);
        jsonEnd('}');
    }
    jsonEnd(']');
}

void putQuestionTable() {
    jsonKey("questions");
    jsonBegin('[');
    for (const Question& q : QUESTIONS) {
        jsonBegin('{');
        jsonKey("group");
        jsonNumber(q.group);
        jsonKey("index");
        jsonNumber(q.index);
        jsonKey("code");
        jsonString(q.code);
        jsonKey("key");
        jsonString(keyOf(q).text);
        jsonKey("when");
        jsonString(q.askedWith == OPTION_NONE ? nullptr : nameOf(q.askedWith));
        jsonKey("kind");
        jsonString(KIND_NAME[q.kind]);
        jsonKey("low");
        jsonNumber(q.low);
        jsonKey("high");
        jsonNumber(q.high);
        jsonEnd('}');
    }
    jsonEnd(']');
}

}  // namespace

const char* describeTables() {
    jsonBegin('{');
    putOptionTable();
    jsonKey("level3Group");
    jsonNumber(GROUP_LEVEL3);
    putQuestionTable();
    putSaleTables();
    jsonKey("races");
    jsonBegin('[');
    for (int r = 0; r < RACE_COUNT; ++r) {
        const RaceInfo& race = RACES[r];
        jsonBegin('{');
        jsonKey("code");
        jsonLetter(race.code);
        jsonKey("name");
        jsonString(race.name);
        jsonKey("numberedName");
        jsonString(race.numberedName);
        jsonKey("extra");  // asked only with -or
        jsonNumber(r >= CORE_RACE_COUNT);
        jsonKey("chainNames");  // its food chain's line, as named and as numbered
        jsonBegin('[');
        for (const Label& chain : { race.chain, race.numberedChain }) {
            if (chain.file) jsonString(chain.file);
        }
        jsonEnd(']');
        jsonEnd('}');
    }
    jsonEnd(']');
    jsonKey("crystalRaces");
    jsonBegin('[');
    for (const CrystalRace& c : CRYSTAL_RACES) {
        jsonBegin('{');
        jsonKey("letter");
        jsonLetter(c.letter);
        jsonKey("name");
        jsonString(c.name);
        jsonKey("race");
        jsonLetter(raceOfCrystalLetter(c.letter));
        jsonEnd('}');
    }
    jsonEnd(']');
    jsonKey("files");
    jsonBegin('[');
    for (const char* name : FILE_NAME) jsonString(name);
    jsonEnd(']');
    jsonKey("numberTextLimit");
    jsonNumber(NUMBER_TEXT_LIMIT);
    jsonEnd('}');
    return jsonFinish();
}

const char* describeRecord(const PlanTaken* taken, size_t inputLeft) {
    jsonBegin('{');
    putOptions();
    jsonKey("rows");
    jsonBegin('[');
    for (int i = 0; i < run.rowCount; ++i) putRow(run.rows[i]);
    jsonEnd(']');
    jsonKey("flows");
    jsonBegin('[');
    for (int i = 0; i < run.flowCount; ++i) putFlow(run.flows[i]);
    jsonEnd(']');
    jsonKey("questions");
    jsonBegin('[');
    for (int i = 0; i < QUESTION_COUNT; ++i) putQuestion(i, taken);
    jsonEnd(']');
    putMessages();
    jsonKey("inputLeft");
    jsonNumber(static_cast<double>(inputLeft));
    jsonEnd('}');
    return jsonFinish();
}
