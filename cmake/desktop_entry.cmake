# Writes the desktop entry that starts the program installed at EXEC, with the
# icon of that name (a portable folder's "zenkarta", the package's id).
#   cmake -DEXEC=<program> -DOUT=<file.desktop> [-DICON=<name>] -P desktop_entry.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var EXEC OUT)
  if(NOT ${var})
    message(FATAL_ERROR "desktop_entry.cmake needs -D${var}=...")
  endif()
endforeach()

# Exec takes a quoted argument in which \ " ` $ are escaped and % is doubled;
# the value as a whole is a string in which \ is escaped once more.
set(arg "${EXEC}")
foreach(ch "\\" "\"" "`" "$")
  string(REPLACE "${ch}" "\\${ch}" arg "${arg}")
endforeach()
string(REPLACE "%" "%%" arg "${arg}")
string(REPLACE "\\" "\\\\" exec "\"${arg}\"")
if(NOT ICON)
  set(ICON zenkarta)
endif()

file(WRITE "${OUT}.part" "[Desktop Entry]
Type=Application
Name=Zenkarta
Name[ja]=Zenkarta カロリー計算
GenericName=Calorie counter
GenericName[ja]=カロリー計算
Comment=Count the calories of what you eat and graph your weight and other daily records
Comment[ja]=食べた物のカロリーを数え、体重などの日々の記録をグラフにします
Keywords=calorie;diet;food;meal;nutrition;weight;
Keywords[ja]=カロリー;食事;ダイエット;体重;栄養;食品成分表;
Exec=${exec}
Icon=${ICON}
Terminal=false
Categories=Utility;
StartupWMClass=zenkarta
")
file(RENAME "${OUT}.part" "${OUT}")
