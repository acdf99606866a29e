// The file a loaded module came from, as the component, the host library and
// the checker ask it: whole, for the program and for a library, and nothing
// for a module that is not loaded.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "windows/win32text/ModuleFileName.h"

using zelva::win32text::moduleFileName;

namespace {

std::wstring lowerCase(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

std::wstring fileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

}  // namespace

TEST(ModuleFileName, NamesTheProgramAndALibraryWholeAndNothingForAModuleNotLoaded) {
    const std::wstring program = moduleFileName(nullptr);
    EXPECT_EQ(lowerCase(fileNameOf(program)), L"zelvacorin_server_tests.exe");
    EXPECT_EQ(GetFileAttributesW(program.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the program's own file";
    EXPECT_EQ(lowerCase(fileNameOf(moduleFileName(GetModuleHandleW(L"kernel32.dll")))), L"kernel32.dll");
    // An address inside no module: Windows cannot tell, and the answer is empty.
    static int notAModule;
    EXPECT_TRUE(moduleFileName(reinterpret_cast<HMODULE>(&notAModule)).empty());
}
