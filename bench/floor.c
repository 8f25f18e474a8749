/* The benchmark's floor: does the least any program can do for the full run with every option,
   namely read the answers and write the same console text and the same four files once each.
   The bytes are those of bench/expected/, built into the binary with .incbin.

   cc -O2 -DEXPECTED_DIR='"/absolute/path/to/bench/expected"' bench/floor.c -o floor */
#include <stdio.h>
#include <unistd.h>

#ifndef EXPECTED_DIR
#error "EXPECTED_DIR must name the folder with the expected bytes"
#endif

/* Puts the file's bytes between the symbols name and name_end in the read-only data. */
#define EMBED(name, file)                                                   \
    __asm__(".section .rodata\n"                                            \
            ".global " #name "\n" #name ":\n"                               \
            ".incbin \"" EXPECTED_DIR "/" file "\"\n"                       \
            ".global " #name "_end\n" #name "_end:\n"                       \
            ".previous\n");                                                 \
    extern const char name[], name##_end[]

EMBED(consoleText, "console.txt");
EMBED(resultsText, "Ergebnis.txt");
EMBED(echoText, "Eingaben.txt");
EMBED(diagnosticsText, "Eingaben-Variablen.txt");
EMBED(readmeText, "readme.txt");

static int writeFile(const char* name, const char* bytes, const char* end) {
    FILE* f = fopen(name, "wb");
    if (!f) return 1;
    size_t want = (size_t)(end - bytes);
    int failed = fwrite(bytes, 1, want, f) != want;
    return fclose(f) != 0 || failed;
}

int main(void) {
    /* The real program reads every answer; so does the floor, in one go. */
    char answers[4096];
    while (read(0, answers, sizeof answers) > 0) {
    }
    int failed = 0;
    failed |= writeFile("readme.txt", readmeText, readmeText_end);
    failed |= writeFile("Eingaben-Variablen.txt", diagnosticsText, diagnosticsText_end);
    failed |= writeFile("Eingaben.txt", echoText, echoText_end);
    failed |= writeFile("Ergebnis.txt", resultsText, resultsText_end);
    size_t want = (size_t)(consoleText_end - consoleText);
    failed |= fwrite(consoleText, 1, want, stdout) != want;
    failed |= fflush(stdout) != 0;
    return failed;
}
