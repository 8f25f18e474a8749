// The console in memory: the text a run prints, kept up to a bound far beyond any real answers, so that a front
// end without a terminal (the page) takes it as a whole after the run.
#include "report/report.h"

#include <cstdlib>
#include <cstring>

MemoryText consoleOut, consoleErr;

int keepInMemory(void* data, const char* bytes, int length) {
    MemoryText& m = *static_cast<MemoryText*>(data);
    auto n = static_cast<size_t>(length);
    if (m.cut || m.length + n > MEMORY_TEXT_LIMIT) {
        m.cut = 1;
        return -1;
    }
    if (m.length + n > m.room) {
        size_t room = m.room ? m.room : 4096;
        while (room < m.length + n) room *= 2;
        char* grown = static_cast<char*>(realloc(m.bytes, room));
        if (!grown) abort();
        m.bytes = grown;
        m.room = room;
    }
    if (n > 0) memcpy(m.bytes + m.length, bytes, n);  // an empty text has no bytes to copy into yet
    m.length += n;
    return 0;
}

Console memoryConsole() {
    consoleOut.length = consoleErr.length = 0;
    consoleOut.cut = consoleErr.cut = 0;
    return Console{ streamTo(keepInMemory, &consoleOut), streamTo(keepInMemory, &consoleErr) };
}

int finishMemoryConsole(Console& con, int status) {
    flushStream(con.out);
    flushStream(con.err);
    if (!consoleOut.cut && !consoleErr.cut) return status;
    consoleErr.cut = 0;
    static const char CUT[] = "Fehler: Die Ausgabe wurde nach 16 MB abgeschnitten, das Programm wurde abgebrochen\n";
    keepInMemory(&consoleErr, CUT, static_cast<int>(sizeof CUT - 1));
    return -1;
}
