// The user's whole wait: from CreateProcess until the first list box of
// the program's window holds five items. Starts Tavlin.exe and each of its
// yardsticks in turn, several times each, and prints the medians and
// Tavlin's ratios to each. Usage: startup_bench FOLDER [STARTS]; FOLDER
// holds Tavlin.exe with the example phrase files, bare_window.exe and
// window_replica.exe.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Search {
  DWORD process_id;
  HWND list;
};

BOOL CALLBACK FindList(HWND window, LPARAM l) {
  auto* search = reinterpret_cast<Search*>(l);
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (lstrcmpiW(name, L"ListBox") == 0) {
    search->list = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM l) {
  auto* search = reinterpret_cast<Search*>(l);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  EnumChildWindows(window, FindList, l);
  return search->list ? FALSE : TRUE;
}

bool HoldsFiveItems(DWORD process_id) {
  Search search{process_id, nullptr};
  EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  if (!search.list) return false;
  DWORD_PTR count = 0;
  return SendMessageTimeoutW(search.list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                             1000, &count) &&
         count == 5;
}

BOOL CALLBACK CloseWindowsOfProcess(HWND window, LPARAM l) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(l)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Milliseconds until five items show, or a negative number on failure.
double TimeOneStart(const std::wstring& folder, const std::wstring& program,
                    const std::wstring& arguments = L"") {
  std::wstring command = L"\"" + folder + L"\\" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const Clock::time_point start = Clock::now();
  // Wine fails a start now and then (error 1359): try again.
  bool started = false;
  for (int attempt = 0; attempt < 5 && !started; ++attempt)
    started =
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                       nullptr, folder.c_str(), &startup, &process) != FALSE;
  if (!started) return -1;
  double elapsed = -1;
  while (Clock::now() - start < std::chrono::seconds(30)) {
    if (HoldsFiveItems(process.dwProcessId)) {
      elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start)
                    .count();
      break;
    }
    // Not a busy wait: that would take the second core and the Wine
    // server's time from the program being timed.
    Sleep(1);
  }
  EnumWindows(CloseWindowsOfProcess, process.dwProcessId);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

// The value below which the given share of the values lies, read off the
// sorted values by linear interpolation: 0.5 is the median.
double Quantile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  const double position = share * static_cast<double>(values.size() - 1);
  const std::size_t below = static_cast<std::size_t>(position);
  const std::size_t above = std::min(below + 1, values.size() - 1);
  return values[below] + (values[above] - values[below]) *
                             (position - static_cast<double>(below));
}

double Median(const std::vector<double>& values) {
  return Quantile(values, 0.5);
}

// A ratio's median with the middle half of the rounds around it: how far
// one run of the benchmark can be trusted on this machine.
void PrintRatioSpread(const char* label, const std::vector<double>& ratios) {
  std::printf(
      "  to the %-27s %8.2fx (middle half of the rounds %.2fx to %.2fx)\n",
      label, Median(ratios), Quantile(ratios, 0.25), Quantile(ratios, 0.75));
}

// A program timed against Tavlin, and how far behind it Tavlin may be.
struct Yardstick {
  const char* label;
  const wchar_t* program;
  const wchar_t* arguments;
  const char* target;
};

constexpr Yardstick kYardsticks[] = {
    {"bare window", L"bare_window.exe", L"", "target: at most 1.30x"},
    {"bare window with controls", L"bare_window.exe", L"controls",
     "a tab control, two edit boxes"},
    {"replica of Tavlin's window", L"window_replica.exe", L"",
     "target: at most 1.10x"},
};
constexpr std::size_t kYardstickCount = std::size(kYardsticks);

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_bench FOLDER [STARTS]\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int starts = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
  std::vector<double> tavlin;
  std::vector<std::vector<double>> times(kYardstickCount);
  // One start of each first, unmeasured: the system's caches warm up.
  TimeOneStart(folder, L"Tavlin.exe");
  for (const Yardstick& yardstick : kYardsticks)
    TimeOneStart(folder, yardstick.program, yardstick.arguments);
  for (int round = 0; round < starts; ++round) {
    const double t = TimeOneStart(folder, L"Tavlin.exe");
    if (t < 0) {
      std::fprintf(stderr, "Tavlin.exe did not show five items\n");
      return 1;
    }
    tavlin.push_back(t);
    for (std::size_t i = 0; i < kYardstickCount; ++i) {
      const double y = TimeOneStart(folder, kYardsticks[i].program,
                                    kYardsticks[i].arguments);
      if (y < 0) {
        std::fprintf(stderr, "%s did not show five items\n",
                     kYardsticks[i].label);
        return 1;
      }
      times[i].push_back(y);
    }
  }
  std::printf("Start-up until five slogans show, median of %d starts each:\n",
              starts);
  std::printf("  %-34s %8.1f ms\n", "Tavlin.exe", Median(tavlin));
  for (std::size_t i = 0; i < kYardstickCount; ++i)
    std::printf("  %-34s %8.1f ms\n", kYardsticks[i].label, Median(times[i]));
  std::printf("Tavlin's ratio of the medians:\n");
  for (std::size_t i = 0; i < kYardstickCount; ++i)
    std::printf("  to the %-27s %8.2fx (%s)\n", kYardsticks[i].label,
                Median(tavlin) / Median(times[i]), kYardsticks[i].target);
  // The starts of a round follow each other closely, so the ratio within a
  // round does not carry the machine's drift from round to round, which
  // moves every median by up to a third here.
  std::printf("Median of Tavlin's ratios within each round:\n");
  for (std::size_t i = 0; i < kYardstickCount; ++i) {
    std::vector<double> ratios;
    for (std::size_t round = 0; round < tavlin.size(); ++round)
      ratios.push_back(tavlin[round] / times[i][round]);
    PrintRatioSpread(kYardsticks[i].label, ratios);
  }
  return 0;
}
