# Beside a Windows program: the Qt DLLs it links, the windows platform plugin, the Vista style, the
# GIF reader (the About picture) and the MinGW run-time DLLs Qt needs, all stripped; installed
# with the program.
find_program(NV_MINGW_STRIP NAMES x86_64-w64-mingw32-strip REQUIRED)

# The MinGW-w64 run-time DLLs the Qt kit's DLLs import (the programs link theirs statically).
function(nv_mingw_runtime_dlls out)
  set(dlls)
  foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
      find_file(nv_dll_${name} ${name} PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH)
      set(path "${nv_dll_${name}}")
    endif()
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "The MinGW-w64 run-time DLL ${name} was not found")
    endif()
    list(APPEND dlls "${path}")
  endforeach()
  set(${out} ${dlls} PARENT_SCOPE)
endfunction()

function(nv_deploy_qt target)
  nv_mingw_runtime_dlls(runtime)
  set(dir $<TARGET_FILE_DIR:${target}>)
  set(copies)  # file|name|folder
  foreach(lib Qt6::Core Qt6::Gui Qt6::Widgets)
    list(APPEND copies "$<TARGET_FILE:${lib}>|$<TARGET_FILE_NAME:${lib}>|.")
  endforeach()
  foreach(plugin QWindowsIntegrationPlugin:platforms QWindowsVistaStylePlugin:styles
                 QGifPlugin:imageformats)
    string(REPLACE ":" ";" plugin "${plugin}")
    list(GET plugin 0 name)
    list(GET plugin 1 sub)
    if(TARGET Qt6::${name})
      list(APPEND copies "$<TARGET_FILE:Qt6::${name}>|$<TARGET_FILE_NAME:Qt6::${name}>|${sub}")
    endif()
  endforeach()
  foreach(dll IN LISTS runtime)
    get_filename_component(name "${dll}" NAME)
    list(APPEND copies "${dll}|${name}|.")
  endforeach()
  set(commands)
  foreach(copy IN LISTS copies)
    string(REPLACE "|" ";" parts "${copy}")
    list(GET parts 0 file)
    list(GET parts 1 name)
    list(GET parts 2 sub)
    list(APPEND commands
         COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/${sub}
         COMMAND ${NV_MINGW_STRIP} --strip-unneeded -o ${dir}/${sub}/${name} ${file})
    install(FILES ${dir}/${sub}/${name} DESTINATION ${CMAKE_INSTALL_BINDIR}/${sub})
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD ${commands}
                     COMMAND ${NV_MINGW_STRIP} --strip-unneeded $<TARGET_FILE:${target}>
                     COMMENT "Deploying Qt beside ${target}" VERBATIM)
endfunction()
