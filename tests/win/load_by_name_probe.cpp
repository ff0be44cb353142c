// Loads version.dll by its bare name, the unsafe way, so that a test can
// show that a planted copy would then be taken.
#include <windows.h>

int main() { return LoadLibraryW(L"version.dll") != nullptr ? 0 : 1; }
