/* Prints what a program without a compatibility manifest learns from
 * GetVersionExA, GetWindowsDirectoryA, GetSystemDirectoryA and GetACP, as
 * "platform|major|minor|build|service pack|windows|system|code page". Built
 * without any C library or SDK so that only clang and lld are needed; run
 * under Wine by the tests to check what Kelvaro says Wine reports. */

typedef unsigned long DWORD;
typedef int BOOL;
typedef void *HANDLE;

typedef struct {
  DWORD size, major, minor, build, platform;
  char servicePack[128];
} VersionInfoA;

__declspec(dllimport) BOOL __stdcall GetVersionExA(VersionInfoA *info);
__declspec(dllimport) unsigned __stdcall GetWindowsDirectoryA(char *buffer, unsigned size);
__declspec(dllimport) unsigned __stdcall GetSystemDirectoryA(char *buffer, unsigned size);
__declspec(dllimport) unsigned __stdcall GetACP(void);
__declspec(dllimport) HANDLE __stdcall GetStdHandle(DWORD which);
__declspec(dllimport) BOOL __stdcall WriteFile(HANDLE file, const void *data, DWORD size, DWORD *written, void *overlapped);
__declspec(dllimport) void __stdcall ExitProcess(unsigned code);

static char out[1024];
static unsigned used;

static void text(const char *s) {
  while (*s && used < sizeof out - 1) out[used++] = *s++;
}

static void number(DWORD value) {
  char digits[16];
  int n = 0;
  do {
    digits[n++] = (char)('0' + value % 10);
    value /= 10;
  } while (value);
  while (n) text((char[]){digits[--n], 0});
}

void start(void) {
  VersionInfoA info;
  char folder[260];
  DWORD written;
  info.size = sizeof info;
  if (!GetVersionExA(&info)) {
    text("failed|");
  } else {
    number(info.platform), text("|"), number(info.major), text("|"), number(info.minor), text("|");
    number(info.build & 0xFFFF), text("|"), text(info.servicePack), text("|");
  }
  GetWindowsDirectoryA(folder, sizeof folder), text(folder), text("|");
  GetSystemDirectoryA(folder, sizeof folder), text(folder), text("|");
  number(GetACP()), text("\n");
  WriteFile(GetStdHandle((DWORD)-11), out, used, &written, 0);
  ExitProcess(0);
}
