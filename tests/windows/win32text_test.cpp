// Text between the models' UTF-8 and the windows' UTF-16: ASCII, which takes
// a path of its own, and the dialogs' Chinese, Italian and German alike.

#include <gtest/gtest.h>

#include <string>

#include "windows/comvalues/Bstr.h"
#include "windows/win32text/WideText.h"

using namespace zelva;

TEST(WideText, AsciiAndOtherTextsConvertBothWaysUnchanged) {
    const std::string texts[] = {"", "GetProjectedThreadInformation", "Lunghezza", "Gr\xC3\xB6\xC3\x9F" "e",
                                 "\xE8\x9E\xBA\xE7\xBA\xB9 M10", "\xF0\x9F\x94\xA9 pin", std::string("a\0b", 3)};
    for (const std::string& text : texts) {
        const std::wstring wide = win32text::widen(text);
        EXPECT_EQ(wide.size(), win32text::widenedLength(text)) << text;
        EXPECT_EQ(win32text::narrow(wide), text);
        EXPECT_EQ(comvalues::Bstr(text).utf8(), text) << "straight into a BSTR's own block";
    }
    EXPECT_EQ(win32text::widen("Gr\xC3\xB6\xC3\x9F" "e"), L"Gr\u00F6\u00DFe");
    EXPECT_EQ(win32text::widenedLength("\xF0\x9F\x94\xA9"), 2u) << "a character beyond the first plane is a surrogate pair";
    EXPECT_EQ(win32text::narrow(L"Length"), "Length");
}
