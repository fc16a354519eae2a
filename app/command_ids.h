// The numeric ids of the program's commands and panel controls. Menu items, toolbar
// buttons and panel buttons that share an id reach the same handler.
#pragma once

namespace mireto::cmd {

// The framework's standard commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMruFirst = 57616;
inline constexpr int kEditClear = 57632;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditFind = 57636;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditReplace = 57641;
inline constexpr int kEditSelectAll = 57642;
inline constexpr int kEditUndo = 57643;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

// The program's own commands.
inline constexpr int kFormatFont = 32772;
inline constexpr int kSaveEndingTemplate = 32773;
inline constexpr int kGo = 32781;
inline constexpr int kSaveReplacementTemplate = 32791;
inline constexpr int kSaveOverallTemplate = 32793;
inline constexpr int kIdolNewsSettings = 32794;
inline constexpr int kStandardColours = 32795;
inline constexpr int kViewPreview = 32796;
inline constexpr int kSavePage = 32797;
inline constexpr int kSavePageImage = 32798;

// Control panel: the dialog commands share their ids with the "設定" menu.
inline constexpr int kComboFormat = 1088;
inline constexpr int kComboReplacement = 1091;
inline constexpr int kComboTemplate = 1096;
inline constexpr int kComboEnding = 1097;
inline constexpr int kCurrentTemplate = 1098;
inline constexpr int kCurrentEnding = 1099;
inline constexpr int kPanelGo = 1100;
inline constexpr int kHtmlSettings = 1101;
inline constexpr int kCurrentReplacement = 1102;

// Templates and sets as files, under "テンプレート作成".
inline constexpr int kExportTemplates = 32810;
inline constexpr int kImportTemplates = 32811;

} // namespace mireto::cmd
