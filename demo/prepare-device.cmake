# Lays out a device folder: the demo's files are seeded once (so what the apps
# write survives a rebuild), while the installed software is refreshed every
# build. Run with -DDEVICE=... -DDEMO=... -DHOOK=... -DHOOK_FILTER=...
file(MAKE_DIRECTORY ${DEVICE}/var/mobile)
if(NOT EXISTS ${DEVICE}/User)
  file(CREATE_LINK var/mobile ${DEVICE}/User SYMBOLIC)
endif()
file(GLOB_RECURSE seed RELATIVE ${DEMO}/var ${DEMO}/var/*)
foreach(item ${seed})
  if(NOT EXISTS ${DEVICE}/var/${item})
    get_filename_component(dir ${DEVICE}/var/${item} DIRECTORY)
    file(COPY ${DEMO}/var/${item} DESTINATION ${dir})
  endif()
endforeach()
file(COPY ${DEMO}/Applications DESTINATION ${DEVICE})
set(injected ${DEVICE}/Library/MobileSubstrate/DynamicLibraries)
file(MAKE_DIRECTORY ${injected})
file(COPY_FILE ${HOOK} ${injected}/korvelhook.dylib ONLY_IF_DIFFERENT)
file(COPY_FILE ${HOOK_FILTER} ${injected}/korvelhook.plist ONLY_IF_DIFFERENT)
