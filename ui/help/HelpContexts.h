// The help context numbers of the windows. Each window carries its number as
// the dynamic property "helpContext"; F1 opens the user guide at the page the
// number stands for (TFormHelp's context table). A widget inside a window
// (a tab, a foundation page) may carry a number of its own: the nearest one
// above the focused widget counts.
#pragma once

namespace bvhelp {

// The name of the dynamic property that holds a widget's context number.
inline constexpr const char* kContextProperty = "helpContext";

// The guide's contents.
inline constexpr int Contents = 1;

// The main window, its print preview and its four tabs; the foundation
// kinds' pages are FoundationKind + the kind's ordinal (0..11).
inline constexpr int Main = 10000;
inline constexpr int PrintPreview = 10010;
inline constexpr int ComponentsTab = 10100;
inline constexpr int FoundationTab = 10200;
inline constexpr int FoundationKind = 10201;
inline constexpr int BuildingTab = 10300;
inline constexpr int ResultTab = 10400;

// The editors and their archives.
inline constexpr int WindowEdit = 60008;
inline constexpr int DoorEdit = 60009;
inline constexpr int WindowSelect = 60108;
inline constexpr int DoorSelect = 60109;
inline constexpr int LayeredEdit = 70000;
inline constexpr int LayeredSelect = 70100;

// Buildings: the file handler, export and import.
inline constexpr int FileHandler = 80000;
inline constexpr int Export = 80100;
inline constexpr int ImportQuestion = 80200;
inline constexpr int ImportProgress = 80300;

// The material manager and its two dialogs.
inline constexpr int MaterialManager = 85000;
inline constexpr int MaterialExport = 85100;
inline constexpr int MaterialImport = 85200;

// The about window, the language window, the help window itself.
inline constexpr int About = 90000;
inline constexpr int Language = 90100;
inline constexpr int HelpWindow = 95000;

} // namespace bvhelp
