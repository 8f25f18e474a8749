// The run's folder in memory: the files a front end hands in before a run and takes out after it, each bounded
// like the console text, with folders that stand in the way of a file of their name.
#include "report/report.h"

#include <cstdio>
#include <cstring>

FolderEntry memoryFolder[FOLDER_LIMIT];
int memoryFolderCount = 0;

namespace {

FolderEntry* findEntry(const char* name) {
    for (int e = 0; e < memoryFolderCount; ++e) {
        if (strcmp(memoryFolder[e].name, name) == 0) return &memoryFolder[e];
    }
    return nullptr;
}

FolderEntry* addEntry(const char* name, int isDir) {
    if (memoryFolderCount == FOLDER_LIMIT || strlen(name) >= sizeof memoryFolder[0].name) return nullptr;
    FolderEntry& e = memoryFolder[memoryFolderCount++];
    snprintf(e.name, sizeof e.name, "%s", name);
    e.isDir = isDir;
    e.text.length = 0;
    e.text.cut = 0;
    return &e;
}

int openInFolder(const char* name, int append) {
    FolderEntry* e = findEntry(name);
    if (!e) e = addEntry(name, 0);
    if (!e || e->isDir) return -1;
    if (!append) e->text.length = 0;
    return static_cast<int>(e - memoryFolder);
}

int closeInFolder(int /*fd*/) { return 0; }

}  // namespace

const FileCalls FOLDER_FILES = { openInFolder, writeInMemoryFolder, closeInFolder };

void emptyMemoryFolder() { memoryFolderCount = 0; }

int addToMemoryFolder(const char* name, int isDir) {
    FolderEntry* e = findEntry(name) ? nullptr : addEntry(name, isDir);
    return e ? static_cast<int>(e - memoryFolder) : -1;
}

int writeInMemoryFolder(int index, const char* bytes, int length) {
    if (index < 0 || index >= memoryFolderCount) return -1;
    return keepInMemory(&memoryFolder[index].text, bytes, length) == 0 ? length : -1;
}
