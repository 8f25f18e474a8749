// The page's core as a native program, for the node tests under ctest (web/tests/native.js): makes the calls of the
// page's runner read from standard input, in order, and writes what the last one returned and what the run left.
#include "core/entry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::string;

// One field of the answer: its length on a line, then its bytes.
void put(const char* bytes, size_t length) {
    printf("%zu\n", length);
    if (length) fwrite(bytes, 1, length, stdout);
}
void put(const Bytes& bytes) { put(bytes.data(), bytes.size()); }
void put(const char* text) { put(text, strlen(text)); }

int number(const Bytes& text) { return atoi(text.c_str()); }
Bytes text(int n) { return std::to_string(n); }

// The console program on its arguments (the program's name first), then the typed text.
int runTyped(const std::vector<Bytes>& a) {
    std::vector<const char*> argv;
    for (size_t i = 0; i + 1 < a.size(); ++i) argv.push_back(a[i].c_str());
    return wv_run(static_cast<int>(argv.size()), argv.data(), a.back().data(), a.back().size());
}

// Makes one call with its arguments (numbers in decimal); gives what it returned, empty when nothing.
Bytes call(const Bytes& name, const std::vector<Bytes>& a) {
    if (name == "folderAdd") return text(wv_folderAdd(a[0].c_str(), number(a[1])));
    if (name == "folderWrite") return text(wv_folderWrite(number(a[0]), a[1].data(), static_cast<int>(a[1].size())));
    if (name == "run") return text(runTyped(a));
    if (name == "runPlan") return text(wv_runPlan());
    if (name == "tables") return wv_tables();
    if (name == "folderReset") wv_folderReset();
    if (name == "planReset") wv_planReset();
    if (name == "planOption") wv_planOption(number(a[0]), number(a[1]), number(a[2]));
    if (name == "planField") wv_planField(number(a[0]), a[1].data(), a[1].size());
    return "";
}

}  // namespace

// Each call is a line with its name and the byte length of each argument, then the arguments' bytes. The answer:
// what the last call returned, the console text, standard error, the folder (count, then name, folder or not and
// bytes of each entry), the record and the answers file.
int main() {
    Bytes in;
    char buffer[1 << 16];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, stdin)) > 0;) in.append(buffer, n);
    Bytes last;
    for (size_t at = 0; at < in.size();) {
        size_t end = in.find('\n', at);
        Bytes line = in.substr(at, end - at);
        at = end + 1;
        Bytes name = line.substr(0, line.find(' '));
        std::vector<Bytes> args;
        for (const char* p = line.c_str() + name.size(); *p;) {
            char* next;
            size_t length = strtoul(p, &next, 10);
            p = next;
            args.push_back(in.substr(at, length));
            at += length;
        }
        last = call(name, args);
    }
    put(last);
    put(wv_out(), wv_outLength());
    put(wv_err(), wv_errLength());
    put(text(wv_folderCount()));
    for (int i = 0; i < wv_folderCount(); ++i) {
        put(wv_folderName(i));
        put(text(wv_folderIsDir(i)));
        put(wv_folderBytes(i), wv_folderLength(i));
    }
    put(wv_record());
    put(wv_answers(), wv_answersLength());
    return fflush(stdout) == 0 ? 0 : 1;
}
