# Writes the desktop entry that starts the program installed at EXEC.
#   cmake -DEXEC=<program> -DOUT=<file.desktop> -P desktop_entry.cmake
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

file(WRITE "${OUT}.part" "[Desktop Entry]
Type=Application
Name=Zenkarta
GenericName=Calorie counter
GenericName[ja]=カロリー計算
Comment=食べた物のカロリーを数え、体重などの日々の記録をグラフにします
Exec=${exec}
Icon=zenkarta
Terminal=false
Categories=Utility;
StartupWMClass=zenkarta
")
file(RENAME "${OUT}.part" "${OUT}")
