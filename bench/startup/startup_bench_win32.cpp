// The user's whole wait: from CreateProcess until the first list box of
// the program's window holds five items. Starts Tavlin.exe and each of its
// yardsticks in turn, several times each, and prints the medians, split at
// the moment the window is visible, and Tavlin's ratios to each. Usage:
// startup_bench FOLDER [STARTS]; FOLDER holds Tavlin.exe with the example
// phrase files, bare_window.exe and window_replica.exe.
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

// The list box of the process's visible window; none before it shows.
HWND VisibleListOf(DWORD process_id) {
  Search search{process_id, nullptr};
  EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.list;
}

// Answered once the program's thread takes messages again, after its
// ShowWindow and UpdateWindow.
bool HoldsFiveItems(HWND list) {
  DWORD_PTR count = 0;
  return SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000,
                             &count) &&
         count == 5;
}

BOOL CALLBACK CloseWindowsOfProcess(HWND window, LPARAM l) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(l)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Milliseconds after CreateProcess.
struct StartTimes {
  double shown = -1;     // the window is visible
  double answered = -1;  // its list answers that it holds five items
};

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start)
      .count();
}

// A start's times; answered stays negative on failure.
StartTimes TimeOneStart(const std::wstring& folder, const std::wstring& program,
                        const std::wstring& arguments) {
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
  StartTimes times;
  if (!started) return times;
  while (Clock::now() - start < std::chrono::seconds(30)) {
    if (HWND list = VisibleListOf(process.dwProcessId)) {
      if (times.shown < 0) times.shown = MillisecondsSince(start);
      if (HoldsFiveItems(list)) {
        times.answered = MillisecondsSince(start);
        break;
      }
    }
    // Not a busy wait: that would take the CPU the program being timed and
    // the Wine server share.
    Sleep(1);
  }
  EnumWindows(CloseWindowsOfProcess, process.dwProcessId);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return times;
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

// Tavlin and each program timed against it, with how far behind it Tavlin
// may be.
struct Program {
  const char* label;
  const wchar_t* program;
  const wchar_t* arguments;
  const char* target;
};

constexpr Program kPrograms[] = {
    {"Tavlin.exe", L"Tavlin.exe", L"", ""},
    {"bare window", L"bare_window.exe", L"", "target: at most 1.30x"},
    {"bare window with controls", L"bare_window.exe", L"controls",
     "a tab control, two edit boxes"},
    {"replica of Tavlin's window", L"window_replica.exe", L"",
     "target: at most 1.10x"},
};
constexpr std::size_t kProgramCount = std::size(kPrograms);
constexpr std::size_t kTavlin = 0;

// Each program's times, one a round.
struct Times {
  std::vector<double> shown;
  std::vector<double> answered;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_bench FOLDER [STARTS]\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int starts = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
  // One start of each first, unmeasured: the system's caches warm up.
  for (const Program& program : kPrograms)
    TimeOneStart(folder, program.program, program.arguments);
  std::vector<Times> times(kProgramCount);
  for (int round = 0; round < starts; ++round) {
    // Tavlin first in one round and last in the next: no program always
    // starts just as the same other one has closed.
    for (std::size_t k = 0; k < kProgramCount; ++k) {
      const std::size_t i = round % 2 == 0 ? k : (k + 1) % kProgramCount;
      const StartTimes start =
          TimeOneStart(folder, kPrograms[i].program, kPrograms[i].arguments);
      if (start.answered < 0) {
        std::fprintf(stderr, "%s did not show five items\n",
                     kPrograms[i].label);
        return 1;
      }
      times[i].shown.push_back(start.shown);
      times[i].answered.push_back(start.answered);
    }
  }
  std::printf(
      "Start-up until five slogans show, median of %d starts each (the "
      "window visible after, then answering):\n",
      starts);
  for (std::size_t i = 0; i < kProgramCount; ++i) {
    const Times& t = times[i];
    std::vector<double> showing;
    for (std::size_t round = 0; round < t.shown.size(); ++round)
      showing.push_back(t.answered[round] - t.shown[round]);
    std::printf("  %-34s %8.1f ms (%.1f, then %.1f)\n", kPrograms[i].label,
                Median(t.answered), Median(t.shown), Median(showing));
  }
  const std::vector<double>& tavlin = times[kTavlin].answered;
  std::printf("Tavlin's ratio of the medians:\n");
  for (std::size_t i = 1; i < kProgramCount; ++i)
    std::printf("  to the %-27s %8.2fx (%s)\n", kPrograms[i].label,
                Median(tavlin) / Median(times[i].answered),
                kPrograms[i].target);
  // The starts of a round follow each other closely, so the ratio within a
  // round does not carry the machine's drift from round to round.
  std::printf("Median of Tavlin's ratios within each round:\n");
  for (std::size_t i = 1; i < kProgramCount; ++i) {
    std::vector<double> ratios;
    for (std::size_t round = 0; round < tavlin.size(); ++round)
      ratios.push_back(tavlin[round] / times[i].answered[round]);
    PrintRatioSpread(kPrograms[i].label, ratios);
  }
  return 0;
}
