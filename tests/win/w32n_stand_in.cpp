// A stand-in for the adapter's probe library (W32N50.dll) that tests put beside the program:
// W32N_OpenAdapterA writes the name it was given, one line each, to the file named by the
// environment variable W32N_LOG, and opens nothing (the adapter counts as absent).
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) HANDLE WINAPI W32N_OpenAdapterA(const char* name) {
  char path[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("W32N_LOG", path, sizeof path);
  if (n > 0 && n < sizeof path && name != nullptr) {
    HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(log, name, static_cast<DWORD>(std::strlen(name)), &written, nullptr);
      WriteFile(log, "\n", 1, &written, nullptr);
      CloseHandle(log);
    }
  }
  return INVALID_HANDLE_VALUE;
}
