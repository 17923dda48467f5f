#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "build/build_host.h"
#include "build/child_input.h"
#include "build/tex.h"
#include "settings/history.h"
#include "vklib/process.h"
#include "vklib/window/base_wnd.h"
#include "vklib/window/edit/edit_wnd.h"
#include "vklib/window/toolbar.h"

// The program's one window: an output pane under a toolbar and a menu bar. It holds the current
// file (in the build object) and runs the build steps, one child at a time, with their output
// in the pane; what the user types into the pane while a child runs goes to the child.
class MainWnd : public vklib::window::BaseWnd, public BuildHost {
 public:
  // The output pane: read-only to the user, a console for the running child. A double-click on
  // a line gives the line to `open_location`, which tells whether it named a place to open.
  class Edit : public vklib::window::edit::EditWnd {
   public:
    using LocationOpener = std::function<bool(const std::string& line)>;
    Edit(HINSTANCE instance, vklib::Process& process, LocationOpener open_location);
    const std::string& PendingInput() const { return input_.PendingLine(); }
    // The user stopped a run with Esc, since the last ForgetStop.
    bool RunStopped() const { return input_.Stopped(); }
    void ForgetStop() { input_.ForgetStop(); }

   protected:
    bool OnKey(vklib::window::Wnd& wnd, bool down, unsigned key, int repeat) override;
    bool OnChar(vklib::window::Wnd& wnd, unsigned code, int repeat) override;
    bool OnLButtonDown(vklib::window::Wnd& wnd, const vklib::window::MouseEvent& mouse,
                       bool double_click) override;
    bool OnRButtonDown(vklib::window::Wnd& wnd, const vklib::window::MouseEvent& mouse,
                       bool double_click) override;

   private:
    vklib::Process& process_;
    ChildInput input_;
    LocationOpener open_location_;
  };

  class Version;

  // How a file came to be opened: the title and the pane follow from it.
  enum class OpenForm { kCommandLine, kDialog, kHistory, kDrop };

  explicit MainWnd(HINSTANCE instance);

  // Makes a file current and takes it one stage further.
  void OpenFile(const std::string& path, OpenForm form);

  // BuildHost: the steps run their children here.
  bool Execute(const std::string& command_line, const std::string& directory) override;
  int32_t GetExitCode() override { return process_.ExitCode(); }
  vklib::SystemError StartError() override { return process_.StartError(); }
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void SetTitle(const std::string& title) override;
  void ReportLine(const std::string& line) override;

  Edit& Pane() { return edit_; }
  TeX& Build() { return tex_; }
  vklib::Process& ChildProcess() { return process_; }
  HWND ToolbarHandle() const { return toolbar_.Handle(); }
  HWND TooltipHandle() const { return toolbar_.TooltipWindow(); }

 protected:
  bool OnCreate(vklib::window::Wnd& wnd) override;
  bool OnDestroy(vklib::window::Wnd& wnd) override;
  bool OnSize(vklib::window::Wnd& wnd, int type, int width, int height) override;
  bool OnSetFocus(vklib::window::Wnd& wnd, vklib::window::Wnd& lost) override;
  bool OnCommand(vklib::window::Wnd& wnd, int id, int code) override;
  bool OnDropFiles(const std::vector<std::string>& paths) override;

 private:
  void BuildMenu();
  void OpenWithDialog();
  void RunTypedCommand();
  // The directory a typed command runs in: the current file's, else the program's own.
  std::string CommandDirectory() const;
  // A child runs, or its output is still being read.
  bool Busy() { return executing_ || !process_.IsEnded(); }

  Edit edit_;
  TeX tex_;
  vklib::Process process_;
  History history_;
  vklib::window::ToolBar toolbar_;
  bool destroyed_ = false;  // the window is gone: no child may start any more
  // Execute is under way, up to the last of its child's output: commands wait, and no second
  // child starts through the one process object.
  bool executing_ = false;
};
