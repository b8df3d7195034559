#include "platform.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <string>

#include <io.h>
#include <windows.h>

namespace k52 {

QString platform_data_dir() {
    return QStringLiteral("c:/zor");
}

std::tm platform_local_time(std::time_t secs) {
    std::tm t{};
    localtime_s(&t, &secs);
    return t;
}

QString platform_program_dir(const char *argv0) {
    wchar_t path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    if (n > 0 && n < std::size(path))
        return QFileInfo(QDir::fromNativeSeparators(QString::fromWCharArray(path, int(n)))).absolutePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

void platform_hold_closed_standard_streams() {}

bool platform_stdout_is_terminal() {
    return _isatty(_fileno(stdout)) != 0;
}

bool platform_run_instead(const QString &program, char **, int *status, QString *error) {
    // The arguments exactly as this program got them: its command line
    // after its own name (quoted or up to the first blank).
    const wchar_t *rest = GetCommandLineW();
    for (bool quoted = false; *rest && (quoted || (*rest != L' ' && *rest != L'\t')); ++rest)
        if (*rest == L'"')
            quoted = !quoted;
    const std::wstring path = QDir::toNativeSeparators(program).toStdWString();
    std::wstring line = L"\"" + path + L"\"" + rest;
    // Its standard streams are this program's console or files, even for a
    // window program, which would get none of its own.
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    HANDLE *const streams[] = {&si.hStdInput, &si.hStdOutput, &si.hStdError};
    const DWORD ids[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (int i = 0; i < 3; ++i) {
        *streams[i] = GetStdHandle(ids[i]);
        if (*streams[i] && *streams[i] != INVALID_HANDLE_VALUE)
            SetHandleInformation(*streams[i], HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        *error = qt_error_string(int(GetLastError()));
        return false;
    }
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    *status = int(code);
    return true;
}

} // namespace k52
