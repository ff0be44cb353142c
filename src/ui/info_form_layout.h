// The information window's controls as data: place, font, colour, text and
// whether a click does something. Positions are on the white panel, in
// pixels at 96 dots per inch; the window is never scaled by the program.
#pragma once

#include <string_view>

#include "src/ui/layout.h"

namespace tavlin {

// The information window's controls, under the names its design gave them.
enum InfoControl : int {
  kPnlBack = 200,         // the white panel under everything else
  kAppIcon,               // the program's icon
  kLblFileDescription,    // the file description
  kLblExeName,            // the program's file name; opens its properties
  kLblExeVersion,         // the file version
  kLblEnvironment,        // the version value "DeveropEnvironment"
  kLblThanks,             // the version value "Thanks"
  kLblUrl,                // the web page; a link
  kLabel1,                // the author's handle; a link to a search for it
  kLblMail,               // the mail address; a link
  kLblOpenFolderIn,       // opens the program's folder
  kLblLaunchOnDesktop,    // makes a shortcut on the desktop
  kLblLaunchOnStartup,    // makes a shortcut in Startup
  kLblOpenStartup,        // opens the Startup folder
  kLblLaunchOnSendTo,     // makes a shortcut in SendTo
  kLblOpenSendTo,         // opens the SendTo folder
  kLabel2,                // the "System Information" heading
  kLblOsVersion,          // the operating system line
  kLblPhys,               // physical memory: free and total
  kLblPageFile,           // paging file: free and total
  kLblVirtual,            // virtual memory: free and total
  kLabel3,                // the "Process Information" heading
  kLblWorkingSetSize,     // memory usage (working set) and its peak
  kLblPageFaultCount,     // the count of page faults
  kLblPagefileUsage,      // the page file used, now and at its peak
  kLblPagedPoolUsage,     // the paged pool, now and at its peak
  kLblNonPagedPoolUsage,  // the non-paged pool, now and at its peak
  kLblProcessTime,        // kernel, user and elapsed time of the process
  kLblRhythm,             // why the rhythm meter is not shown; else nothing
};

// The window's one timer: it refreshes the status labels.
enum InfoTimer : int { kTimer1 = 1 };

enum class LabelFont {
  WindowDefault,  // Arial -13
  Tahoma12Japanese,
  Tahoma11Japanese,
  Arial27,
  Arial13,
  Arial13Underlined,
  Arial13Bold,
};

enum class LabelColour { WindowText, Navy, Maroon, Teal, Green };

// What a label does beyond showing its text.
enum LabelTraits : unsigned {
  kPlainLabel = 0,
  kClickable = 1,          // a click does something; the hand cursor shows
  kCentredVertically = 2,  // its text sits in the middle of its height
};

struct InfoLabelLayout {
  InfoControl id;
  LayoutRect rect;
  LabelFont font;
  LabelColour colour;
  std::u16string_view text;  // filled at creation where empty
  unsigned traits;           // LabelTraits
};

inline constexpr std::u16string_view kInfoFormName = u"InfoForm";
inline constexpr LayoutRect kPanelDesignRect{8, 8, 329, 417};
inline constexpr int kPanelBorder = 10;
inline constexpr LayoutRect kAppIconRect{8, 8, 32, 32};

// The program's own fixed addresses: reserved example domains only.
inline constexpr std::u16string_view kWebPage = u"https://tavlin.example.org/";
inline constexpr std::u16string_view kHandle = u"(tavlin-dev)";
inline constexpr std::u16string_view kHandleSearch =
    u"https://search.example.org/?q=tavlin-dev";
inline constexpr std::u16string_view kMailAddress = u"tavlin@example.org";

inline constexpr InfoLabelLayout kInfoLabels[] = {
    {kLblFileDescription,
     {56, 6, 92, 14},
     LabelFont::Tahoma12Japanese,
     LabelColour::WindowText,
     u"",
     kPlainLabel},
    {kLblExeName,
     {56, 16, 152, 32},
     LabelFont::Arial27,
     LabelColour::WindowText,
     u"",
     kClickable},
    {kLblExeVersion,
     {56, 48, 84, 16},
     LabelFont::WindowDefault,
     LabelColour::WindowText,
     u"",
     kPlainLabel},
    {kLblEnvironment,
     {56, 64, 88, 16},
     LabelFont::WindowDefault,
     LabelColour::WindowText,
     u"",
     kPlainLabel},
    {kLblThanks,
     {56, 80, 47, 13},
     LabelFont::Tahoma11Japanese,
     LabelColour::WindowText,
     u"",
     kPlainLabel},
    {kLblUrl,
     {56, 108, 160, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Navy,
     kWebPage,
     kClickable | kCentredVertically},
    {kLabel1,
     {224, 108, 86, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Navy,
     kHandle,
     kClickable | kCentredVertically},
    {kLblMail,
     {56, 124, 87, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Navy,
     kMailAddress,
     kClickable | kCentredVertically},
    {kLblOpenFolderIn,
     {56, 144, 204, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Maroon,
     u"Open Folder This Program Installed",
     kClickable},
    {kLblLaunchOnDesktop,
     {56, 160, 171, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Maroon,
     u"Create Shortcut on \"Desktop\"",
     kClickable},
    {kLblLaunchOnStartup,
     {56, 176, 172, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Maroon,
     u"Create Shortcut into \"Startup\"",
     kClickable},
    {kLblOpenStartup,
     {240, 176, 39, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Maroon,
     u"(Open)",
     kClickable},
    {kLblLaunchOnSendTo,
     {56, 192, 174, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Maroon,
     u"Create Shortcut into \"SendTo\"",
     kClickable},
    {kLblOpenSendTo,
     {240, 192, 39, 16},
     LabelFont::Arial13Underlined,
     LabelColour::Maroon,
     u"(Open)",
     kClickable},
    {kLabel2,
     {8, 216, 123, 16},
     LabelFont::Arial13Bold,
     LabelColour::Teal,
     u"System Information",
     kPlainLabel},
    {kLblOsVersion,
     {16, 232, 78, 16},
     LabelFont::Arial13,
     LabelColour::Teal,
     u"",
     kPlainLabel},
    {kLblPhys,
     {16, 248, 47, 16},
     LabelFont::Arial13,
     LabelColour::Teal,
     u"",
     kPlainLabel},
    {kLblPageFile,
     {16, 264, 68, 16},
     LabelFont::Arial13,
     LabelColour::Teal,
     u"",
     kPlainLabel},
    {kLblVirtual,
     {16, 280, 54, 16},
     LabelFont::Arial13,
     LabelColour::Teal,
     u"",
     kPlainLabel},
    {kLabel3,
     {8, 296, 126, 16},
     LabelFont::Arial13Bold,
     LabelColour::Green,
     u"Process Information",
     kPlainLabel},
    {kLblWorkingSetSize,
     {16, 312, 111, 16},
     LabelFont::Arial13,
     LabelColour::Green,
     u"",
     kPlainLabel},
    {kLblPageFaultCount,
     {16, 328, 110, 16},
     LabelFont::Arial13,
     LabelColour::Green,
     u"",
     kPlainLabel},
    {kLblPagefileUsage,
     {16, 344, 100, 16},
     LabelFont::Arial13,
     LabelColour::Green,
     u"",
     kPlainLabel},
    {kLblPagedPoolUsage,
     {16, 360, 117, 16},
     LabelFont::Arial13,
     LabelColour::Green,
     u"",
     kPlainLabel},
    {kLblNonPagedPoolUsage,
     {16, 376, 140, 16},
     LabelFont::Arial13,
     LabelColour::Green,
     u"",
     kPlainLabel},
    {kLblProcessTime,
     {16, 392, 93, 16},
     LabelFont::Arial13,
     LabelColour::Green,
     u"",
     kPlainLabel},
    // Designed without a size: it takes its text's, and none without one.
    {kLblRhythm,
     {16, 408, 0, 0},
     LabelFont::Tahoma11Japanese,
     LabelColour::Green,
     u"",
     kPlainLabel},
};

// The status labels in the order of the status lines.
inline constexpr InfoControl kStatusLabels[] = {
    kLblPhys,           kLblPageFile,          kLblVirtual,
    kLblWorkingSetSize, kLblPageFaultCount,    kLblPagefileUsage,
    kLblPagedPoolUsage, kLblNonPagedPoolUsage, kLblProcessTime};

}  // namespace tavlin
