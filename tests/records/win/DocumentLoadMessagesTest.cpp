#include <gtest/gtest.h>

#include <string>

#include "DocumentLoadMessages.h"
#include "MessageBoxCatcher.h"
#include "PimDocument.h"

namespace {

bool LoadShowing(PimDocument& document, const std::string& text) {
    return LoadDocumentShowingErrors(document, text.data(), text.size(), nullptr);
}

TEST(DocumentLoadMessages, SyntaxErrorShowsItsLineInAnErrorBox) {
    PimDocument document;
    MessageBoxCatcher catcher;
    EXPECT_FALSE(LoadShowing(document, "<?xml version=\"1.0\"?>\r\n<Pim Version=\"1\">\r\n"
                                       "\t<Tasks>\r\n\t</Task>\r\n</Pim>\r\n"));
    ASSERT_EQ(1u, catcher.Boxes().size());
    EXPECT_EQ("Parsing error at line 4", catcher.Boxes()[0].text);
    EXPECT_EQ("Error Loading File", catcher.Boxes()[0].caption);
    EXPECT_TRUE(catcher.Boxes()[0].hasErrorIcon);
    EXPECT_TRUE(document.tasks.empty());
}

TEST(DocumentLoadMessages, FilesThatParseShowNothingAndOnlyOursLoad) {
    PimDocument document;
    MessageBoxCatcher catcher;
    EXPECT_FALSE(LoadShowing(document, "<Pim Version=\"2\"/>"));
    EXPECT_TRUE(LoadShowing(document, "<Pim Version=\"1\"><Tasks><Task ID=\"1\"/></Tasks></Pim>"));
    EXPECT_TRUE(catcher.Boxes().empty());
    EXPECT_EQ(1u, document.tasks.size());
}

}  // namespace
