#include "build/echo_run.h"

#include "build/output_chunks.h"
#include "vklib/process.h"
#include "vklib/window/edit/edit_core.h"

void PaneSink::Insert(const std::string& text) {
  pane_.InsertText(text, "\n");
}

void PaneSink::Append(const std::string& text) {
  pane_.MoveCaretToEnd();
  pane_.InsertText(text, "\n");
}

std::string EchoHeader(const std::string& directory, const std::string& command_line) {
  const std::string separator = std::string(43, '/') + "\n";
  return separator + "カレントディレクトリ : " + directory + "\n" + "コマンド : " + command_line +
         "\n" + separator;
}

bool RunWithEcho(vklib::Process& process, const std::string& command_line,
                 const std::string& directory, OutputSink& sink, const EchoWait& wait) {
  if (!process.IsEnded()) return false;
  vklib::ProcessParam param;
  param.CommandLine = command_line;
  param.Directory = directory;
  param.RedirectOutput = param.RedirectInput = param.RedirectError = param.DefaultShow = true;
  param.ShowMode = 0;
  if (!process.Start(param)) return false;
  sink.Insert(EchoHeader(directory, command_line));

  ChunkConverter converter;
  char buffer[4096];
  bool finished = false;
  bool flowing = false;
  while (true) {
    // While the child writes, its pipe is read again at once: a full pipe would stop it.
    if (wait(flowing ? 0 : 20)) finished = true;
    if (process.IsEnded()) finished = true;
    flowing = false;
    size_t count;
    while ((count = process.Read(buffer, 4094)) > 0) {
      flowing = true;
      std::string text = converter.Convert(buffer, count);
      if (!text.empty()) sink.Append(text);
    }
    if (finished) break;
  }
  sink.Insert("\n\n");
  return true;
}
