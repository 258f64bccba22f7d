// Windows' DLLs come from Windows' folder only. Windows takes a DLL found
// beside the program before its own copy of any DLL that is not one of its
// known DLLs; Wine, told to do the same for the probe ("native,builtin"),
// runs the probe (dll_probe.cpp) from a folder of its own, the current one
// too, with the planted DLL (planted_dll.cpp) beside it under each name below.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The DLLs that the program loads itself after start-up (ole32 comes with its
// imports), those that Wine loads for them, and one that the probe loads by
// name alone, as Windows' own components do for the program.
const wchar_t* const kPlantedNames[] = {L"oleaut32", L"shell32",       L"shlwapi", L"propsys",
                                        L"shcore",   L"windowscodecs", L"dwmapi"};

// Wine's settings for the probe alone, by the name it is started as.
const wchar_t kProbeSettings[] = L"Software\\Wine\\AppDefaults\\dll_probe.exe";

std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH];
    const std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of(L'\\') + 1);
}

// Runs `program` in `folder` until it ends; its exit code.
DWORD RunIn(const std::wstring& folder, const std::wstring& program) {
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return GetLastError();
    DWORD exitCode = WAIT_TIMEOUT;
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

TEST(DllSearch, ADllPlantedBesideTheProgramIsNeverLoaded) {
    const std::wstring built = FolderOfThisProgram();
    wchar_t temp[MAX_PATH];
    const std::wstring folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"orvanta-planted-" +
                                std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring probe = folder + L"dll_probe.exe";
    ASSERT_TRUE(CopyFileW((built + L"dll_probe.exe").c_str(), probe.c_str(), FALSE));
    HKEY overrides = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kProbeSettings) + L"\\DllOverrides").c_str(), 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr),
              ERROR_SUCCESS);
    for (const wchar_t* name : kPlantedNames) {
        ASSERT_TRUE(CopyFileW((built + L"planted.dll").c_str(), (folder + name + L".dll").c_str(), FALSE));
        RegSetValueExW(overrides, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native,builtin"),
                       sizeof L"native,builtin");
    }
    RegCloseKey(overrides);

    EXPECT_EQ(RunIn(folder, probe), 0u) << "the probe found every function the program binds";

    RegDeleteTreeW(HKEY_CURRENT_USER, kProbeSettings);
    for (const wchar_t* name : kPlantedNames) {
        const std::wstring planted = folder + name + L".dll", mark = planted + L".loaded";
        EXPECT_EQ(GetFileAttributesW(mark.c_str()), INVALID_FILE_ATTRIBUTES)
            << "the " << std::string(name, name + wcslen(name)) << ".dll beside the program was loaded";
        DeleteFileW(mark.c_str());
        DeleteFileW(planted.c_str());
    }
    DeleteFileW(probe.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
