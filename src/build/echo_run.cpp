#include "build/echo_run.h"

#include "build/output_chunks.h"
#include "build/run_failure.h"
#include "vklib/file.h"
#include "vklib/process.h"
#include "vklib/window/edit/edit_core.h"

void PaneSink::AppendOwn(const std::string& text, bool own_line) {
  const auto& buffer = pane_.Buffer();
  if (own_line && !buffer.Line(buffer.LineCount() - 1)->empty()) pane_.Append("\n");
  pane_.Append(text);
}

void PaneSink::Append(const std::string& text) {
  pane_.Append(text);
}

std::string EchoHeader(const std::string& directory, const std::string& command_line) {
  const std::string separator = std::string(43, '/') + "\n";
  return separator + "カレントディレクトリ : " + directory + "\n" + "コマンド : " + command_line +
         "\n" + separator;
}

bool RunWithEcho(vklib::Process& process, const std::string& command_line,
                 const std::string& directory, OutputSink& sink, const EchoWait& wait) {
  vklib::ProcessParam param;
  param.CommandLine = command_line;
  param.Directory = vklib::WorkingDirectory(directory);
  param.RedirectOutput = param.RedirectInput = param.RedirectError = param.DefaultShow = true;
  param.ShowMode = 0;
  if (!process.Start(param)) {
    // A start refused while a child runs has no error, and prints nothing. Otherwise the pane
    // says why under the command's header, so that it does not stand empty.
    if (process.StartError().kind == vklib::SystemError::kNone) return false;
    sink.AppendOwn(EchoHeader(param.Directory, command_line), true);
    sink.AppendOwn(StartFailureText(command_line, process.StartError()) + "\n\n\n", false);
    return false;
  }
  sink.AppendOwn(EchoHeader(param.Directory, command_line), true);

  ChunkConverter converter;
  char buffer[4096];
  bool finished = false;
  bool flowing = false;
  std::string batch;
  while (true) {
    // While the child writes, its pipe is read again at once: a full pipe would stop it.
    if (wait(flowing ? 0 : 20)) finished = true;
    if (process.IsEnded()) finished = true;
    // What one wake-up reads goes in as one piece, and a child that writes faster than we read
    // still lets the host back to its events after each piece.
    batch.clear();
    size_t count = 0;
    while (batch.size() < kEchoBatchBytes && (count = process.Read(buffer, 4094)) > 0)
      batch += converter.Convert(buffer, count);
    if (!batch.empty()) sink.Append(batch);
    flowing = count > 0;
    if (finished && !flowing) break;
  }
  sink.AppendOwn("\n\n", false);
  return true;
}
