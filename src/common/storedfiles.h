#pragma once

#include <QLatin1String>

// The files the program keeps in its program folder, relative to it; every
// part reaches them through ProgramFolder::file.
namespace zk::storedfiles {

inline constexpr QLatin1String projectIni{"setting/project.ini"};       // main window options
inline constexpr QLatin1String settingIni{"setting/setting.ini"};       // daily calorie standard
inline constexpr QLatin1String fontDat{"setting/font.dat"};             // fonts of the five parts
inline constexpr QLatin1String standardDat{"setting/standard.dat"};     // named calorie limits
inline constexpr QLatin1String graphDat{"setting/graph.dat"};           // record items
inline constexpr QLatin1String wwwDat{"setting/www.dat"};               // the user's web sites
inline constexpr QLatin1String dayIni{"setting/day.ini"};               // graph window
inline constexpr QLatin1String graphIni{"setting/graph.ini"};           // the graph's lines
inline constexpr QLatin1String dayrecIni{"setting/dayrec.ini"};         // diary window
inline constexpr QLatin1String caleditorIni{"setting/caleditor.ini"};   // calorie-file editor
inline constexpr QLatin1String recordFolder{"record/"};                 // record/<item>.dat
inline constexpr QLatin1String intakeFolder{"record/intake/"};          // <yyyy-MM-dd>.dat a day
inline constexpr QLatin1String intakeIni{"setting/intake.ini"};         // food diary option
inline constexpr QLatin1String amountsDat{"setting/amounts.dat"};       // last amount of each food
inline constexpr QLatin1String intakeViewIni{"setting/intakeview.ini"}; // nutrient columns shown
inline constexpr QLatin1String finderIni{"setting/finder.ini"};         // the search's folding
inline constexpr QLatin1String energyIni{"setting/energy.ini"}; // the daily standard's inputs

} // namespace zk::storedfiles
