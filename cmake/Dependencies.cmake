# The Debian libraries the platform links, found with pkg-config; shared by
# the main build and the fuzz build (fuzz/), which compiles the platform too.
find_package(PkgConfig REQUIRED)
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGO REQUIRED IMPORTED_TARGET pangocairo)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(UTF8PROC REQUIRED IMPORTED_TARGET libutf8proc)
pkg_check_modules(GUMBO REQUIRED IMPORTED_TARGET gumbo)
find_package(nlohmann_json 3 REQUIRED)
