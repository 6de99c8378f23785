#pragma once
// How every setting is rewritten: open the setting's file for writing, let the caller put
// its lines in, and complete it. A file that cannot be opened, or whose new content cannot
// be completed (full disk, locked by another program), leaves the old file as it was; the
// write is skipped without a message.

#include "settings/ConfigFile.h"

template <class WriteLines>
void RewriteSetting(const char* settingName, WriteLines writeLines) {
    CConfigFile file;
    if (!file.OpenForWrite(settingName)) {
        return;
    }
    try {
        writeLines(file);
        file.Close();
    } catch (const CFileException&) {
        file.Abort();
    }
}
