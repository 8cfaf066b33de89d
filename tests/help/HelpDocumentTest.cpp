// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu item's document: help.chm first, else the installed README.
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "help/HelpDocument.h"

#include <gtest/gtest.h>

TEST(HelpDocument, helpChmInTheProgramFolderComesFirst) {
    TempFolder install;
    install.Write("share/doc/vantoril/README.md", "# Vantoril");
    const ProgramFolder folder(install.File("bin"));
    EXPECT_EQ(HelpDocument(folder, install.File("bin")),
              QFileInfo(install.File("share/doc/vantoril/README.md")).canonicalFilePath());
    install.Write("bin/help.chm", "ITSF");
    EXPECT_EQ(HelpDocument(folder, install.File("bin")),
              QFileInfo(install.File("bin/help.chm")).canonicalFilePath());
}

TEST(HelpDocument, nothingToOpenGivesTheEmptyText) {
    TempFolder install;
    install.Write("bin/vantoril", "");
    EXPECT_EQ(HelpDocument(ProgramFolder(install.File("bin")), install.File("bin")), "");
}
