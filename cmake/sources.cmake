# The portable core: everything that is not windows or dialogs, with the platform layer of the
# target (foo.h with foo_win32.cpp or foo_posix.cpp).
set(PRESSEL2_PLATFORM_PIECES
  association
  change_watch
  codepage
  console_input
  file
  interrupt
  process
  profile
  system_error
  viewer
)

if(WIN32)
  set(platform_suffix win32)
else()
  set(platform_suffix posix)
endif()

set(PRESSEL2_CORE_SOURCES
  src/app/arg.cpp
  src/bridge/bridge_frames.cpp
  src/bridge/piece_text.cpp
  src/build/aux_analyzer.cpp
  src/build/build_state.cpp
  src/build/build_summary.cpp
  src/build/child_input.cpp
  src/build/console_host.cpp
  src/build/echo_run.cpp
  src/build/editor_command.cpp
  src/build/latex_files.cpp
  src/build/output_chunks.cpp
  src/build/placeholders.cpp
  src/build/resolve_parent.cpp
  src/build/run_failure.cpp
  src/build/source_location.cpp
  src/build/tex_compile.cpp
  src/build/tex_convert.cpp
  src/build/tex_editor.cpp
  src/build/tex_engine.cpp
  src/build/tex_log.cpp
  src/build/tex_preview.cpp
  src/build/tex_tools.cpp
  src/build/watch_list.cpp
  src/dialogs/format_list.cpp
  src/settings/history.cpp
  src/settings/setting_table.cpp
  src/settings/settings.cpp
  src/texsource/document_class.cpp
  src/texsource/engine.cpp
  src/texsource/parent.cpp
  src/texsource/paths.cpp
  src/texsource/preamble.cpp
  src/texsource/root_comment.cpp
  src/texsource/scanner.cpp
  src/texsource/tex_text.cpp
  src/vklib/codepage_common.cpp
  src/vklib/command_line.cpp
  src/vklib/file_common.cpp
  src/vklib/profile_common.cpp
  src/vklib/system_error_common.cpp
  src/vklib/text_file.cpp
  src/vklib/text_readers.cpp
  src/vklib/window/edit/command.cpp
  src/vklib/window/edit/command_history.cpp
  src/vklib/window/edit/edit_core.cpp
  src/vklib/window/edit/text_buffer.cpp
)
foreach(piece IN LISTS PRESSEL2_PLATFORM_PIECES)
  list(APPEND PRESSEL2_CORE_SOURCES src/vklib/${piece}_${platform_suffix}.cpp)
endforeach()
list(APPEND PRESSEL2_CORE_SOURCES src/build/dde_client_${platform_suffix}.cpp)
if(WIN32)
  # Under Wine, the process runner reaches the Linux programs through the bridge.
  list(APPEND PRESSEL2_CORE_SOURCES
    src/bridge/bridge_text.cpp
    src/bridge/wine_bridge_session.cpp
    src/bridge/wine_linux_child.cpp
    src/bridge/wine_unix.cpp
  )
else()
  list(APPEND PRESSEL2_CORE_SOURCES src/vklib/program_search_posix.cpp
    src/vklib/shared_file_posix.cpp src/vklib/spawn_posix.cpp)
endif()

# The window program (Windows only).
set(PRESSEL2_APP_SOURCES
  src/app/commands.cpp
  src/app/main_wnd.cpp
  src/app/main_wnd_edit.cpp
  src/app/version_dlg.cpp
  src/dialogs/dvi2pdf_set.cpp
  src/dialogs/dviout_set.cpp
  src/dialogs/one_text_dlg.cpp
  src/dialogs/program_choice_set.cpp
  src/dialogs/settings_dialog.cpp
  src/dialogs/tex2dvi_set.cpp
  src/dialogs/viewer_sets.cpp
  src/vklib/window/base_wnd.cpp
  src/vklib/window/child_control.cpp
  src/vklib/window/controls.cpp
  src/vklib/window/edit/edit_paint.cpp
  src/vklib/window/edit/edit_wnd.cpp
  src/vklib/window/modal_dialog.cpp
  src/vklib/window/popup_menu.cpp
  src/vklib/window/toolbar.cpp
  src/vklib/window/wnd.cpp
)
