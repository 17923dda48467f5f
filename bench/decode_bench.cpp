// Reading TeX sources: TextFile's decoding throughput for each encoding beside iconv converting
// the same file to Shift_JIS, and the parent search over directories of 5000 .tex files of a few
// kilobytes beside "grep -l" over the same files: a mix of Japanese and English, and Japanese
// prose alone in UTF-8 and Shift_JIS.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "texsource/parent.h"
#include "vklib/text_file.h"

namespace {

namespace fs = std::filesystem;

// A directory of this run's own (several checkouts may run the benchmark at once), removed at
// the end.
const fs::path& WorkDirectory() {
  static const struct Work {
    Work() {
      std::string pattern = (fs::temp_directory_path() / "pressel2-decode-bench.XXXXXX").string();
      if (mkdtemp(pattern.data()) == nullptr) std::abort();
      path = pattern;
    }
    ~Work() { fs::remove_all(path); }
    fs::path path;
  } work;
  return work.path;
}

std::string Convert(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  std::string out(text.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(text.data());
  size_t in_left = text.size();
  char* target = out.data();
  size_t out_left = out.size();
  iconv(cd, &in, &in_left, &target, &out_left);
  iconv_close(cd);
  out.resize(out.size() - out_left);
  return out;
}

std::string WithCrLf(const std::string& text) {
  std::string crlf;
  for (char c : text)
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return crlf;
}

// About 8 MB of TeX-like Japanese text, in UTF-8 with LF ends.
std::string SampleUtf8() {
  const std::string lines[] = {
      "\\section{\xE5\xAE\x9F\xE9\xA8\x93\xE3\x81\xAE\xE7\xB5\x90\xE6\x9E\x9C}\n",
      "\xE6\x9C\xAC\xE7\xAB\xA0\xE3\x81\xA7\xE3\x81\xAF\xE3\x80\x81\xE8\xA1\xA8\xE7\xA4\xBA"
      "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE3\x81\xAE\xE6\xA7\x8B\xE6\x88\x90\xE3\x82\x92"
      "\xE8\xBF\xB0\xE3\x81\xB9\xE3\x82\x8B\xE3\x80\x82 See \\cite{knuth84} and \\ref{fig:1}.\n",
      "\\begin{itemize}\\item plain ASCII text of a list item \\end{itemize}\n",
  };
  std::string text;
  for (size_t i = 0; text.size() < (8u << 20); ++i)
    text += lines[i % 3];
  return text;
}

struct Encoded {
  const char* name;
  const char* iconv_name;
  std::string path;
  size_t size;
};

std::vector<Encoded>& Files() {
  static std::vector<Encoded> files = [] {
    std::string utf8 = SampleUtf8();
    std::vector<std::pair<Encoded, std::string>> made = {
        {{"shift_jis", "CP932", "", 0}, Convert(WithCrLf(utf8), "CP932", "UTF-8")},
        {{"euc_jp", "EUC-JP", "", 0}, Convert(utf8, "EUC-JP", "UTF-8")},
        {{"iso2022_jp", "ISO-2022-JP", "", 0}, Convert(utf8, "ISO-2022-JP", "UTF-8")},
        {{"utf8", "UTF-8", "", 0}, utf8},
        {{"utf16", "UTF-16", "", 0}, "\xFF\xFE" + Convert(utf8, "UTF-16LE", "UTF-8")},
    };
    std::vector<Encoded> result;
    for (auto& [file, bytes] : made) {
      file.path = (WorkDirectory() / (std::string(file.name) + ".tex")).string();
      std::FILE* out = std::fopen(file.path.c_str(), "wb");
      std::fwrite(bytes.data(), 1, bytes.size(), out);
      std::fclose(out);
      file.size = bytes.size();
      result.push_back(file);
    }
    return result;
  }();
  return files;
}

void BM_TextFile(benchmark::State& state) {
  const Encoded& file = Files()[static_cast<size_t>(state.range(0))];
  state.SetLabel(file.name);
  char buffer[4096];
  for (auto _ : state) {
    vklib::TextFile text;
    text.Open(file.path);
    size_t total = 0;
    while (size_t length = text.ReadLine(buffer, sizeof buffer))
      total += length;
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
}

void BM_Iconv(benchmark::State& state) {
  const Encoded& file = Files()[static_cast<size_t>(state.range(0))];
  state.SetLabel(file.name);
  std::vector<char> in(4096), out(4096 * 4);
  for (auto _ : state) {
    iconv_t cd = iconv_open("CP932", file.iconv_name);
    std::FILE* input = std::fopen(file.path.c_str(), "rb");
    size_t total = 0, held = 0, count;
    while ((count = std::fread(in.data() + held, 1, in.size() - held, input)) > 0) {
      char* source = in.data();
      size_t left = held + count;
      char* target = out.data();
      size_t room = out.size();
      iconv(cd, &source, &left, &target, &room);  // stops at a cut-off character: kept for later
      total += out.size() - room;
      std::copy(source, source + left, in.data());
      held = left;
    }
    std::fclose(input);
    iconv_close(cd);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
}

BENCHMARK(BM_TextFile)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iconv)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// Japanese prose as a chapter of a book holds it, about 4 KB in Shift_JIS (the literals' own
// encoding), hardly any ASCII but the line ends; `shift` turns the order of the sentences.
std::string JapaneseProse(size_t shift) {
  static const char* const sentences[] = {
      "本章では，原稿を章ごとのファイルに分けて書く方法を述べる．",
      "親ファイルは各章を取り込み，目次と索引と参考文献の一覧を作る．",
      "相互参照の番号は，一度目の組版で補助ファイルに書き出され，二度目の組版で埋められる．",
      "索引語の読みは，見出し語の前に書いておくと，その読みの順に並べられる．",
      "文献データベースの誤りを直したときは，文献の一覧も作り直さなければならない．",
      "図と表には見出しをつけ，本文からはその番号で参照する．",
      "日本語の文書では，全角の句読点と半角の英数字が一つの行に混ざることが多い．",
      "組版の結果は，用紙の大きさと余白の設定によって大きく変わる．",
  };
  std::string text;
  for (size_t i = shift; text.size() < 4000; ++i) {
    text += sentences[i % std::size(sentences)];
    if (i % 3 == 2) text += "\n";
  }
  return text + "\n";
}

// The sets of sources the parent search reads.
enum SearchSet { kMixedSet, kJapaneseSet };
const char* const kSetNames[] = {"mix", "japanese"};

// 5000 sources of about 4 KB each, none of which includes the chapter, and the root last in
// directory order. The mix: Japanese text with TeX markup in UTF-8 (LF) and in Shift_JIS (CR LF),
// and English text. The Japanese set: prose alone, in UTF-8 (LF) and in Shift_JIS (CR LF).
fs::path MakeSearchDirectory(SearchSet set) {
  fs::path path = WorkDirectory() / kSetNames[set];
  fs::create_directories(path);
  std::vector<std::string> texts;
  if (set == kMixedSet) {
    std::string japanese = SampleUtf8().substr(0, 4096);
    japanese.resize(japanese.rfind('\n') + 1);
    std::string english;
    while (english.size() < 4000) {
      english +=
          "\\subsection{Results} The measurements of section~\\ref{sec:setup} agree with "
          "\\cite{knuth84}; see Table~\\ref{tab:1}.\n% a note to ourselves\n"
          "\\begin{itemize}\\item one \\item two\\end{itemize}\n";
    }
    texts = {japanese, Convert(WithCrLf(japanese), "CP932", "UTF-8"), english};
  } else {
    for (size_t shift = 0; shift < 4; ++shift) {
      texts.push_back(Convert(JapaneseProse(shift), "UTF-8", "CP932"));
      texts.push_back(WithCrLf(JapaneseProse(shift + 4)));
    }
  }
  for (size_t i = 0; i < 5000; ++i) {
    std::FILE* out = std::fopen((path / ("f" + std::to_string(10000 + i) + ".tex")).c_str(), "wb");
    if (set == kMixedSet) std::fprintf(out, "%% file %zu\n\\input{other%zu}\n", i, i);
    const std::string& text = texts[i % texts.size()];
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  std::FILE* out = std::fopen((path / "zz-main.tex").c_str(), "wb");
  std::fputs("\\documentclass{jreport}\n\\include{chap}\n", out);
  std::fclose(out);
  out = std::fopen((path / "chap.tex").c_str(), "wb");
  std::fputs("text\n", out);
  std::fclose(out);
  return path;
}

const fs::path& SearchDirectory(int64_t set) {
  static const fs::path directories[] = {MakeSearchDirectory(kMixedSet),
                                         MakeSearchDirectory(kJapaneseSet)};
  return directories[set];
}

void BM_ParentSearch(benchmark::State& state) {
  state.SetLabel(kSetNames[state.range(0)]);
  std::string chapter = (SearchDirectory(state.range(0)) / "chap.tex").string();
  for (auto _ : state) {
    ClassInfo info;
    benchmark::DoNotOptimize(SearchParent(chapter, info));
  }
}

// grep looking for the include commands of the chapter in the same files.
void BM_GrepL(benchmark::State& state) {
  state.SetLabel(kSetNames[state.range(0)]);
  std::string command = "grep -lE '\\\\(input|include)\\{chap\\}' " +
                        SearchDirectory(state.range(0)).string() + "/*.tex >/dev/null";
  for (auto _ : state)
    benchmark::DoNotOptimize(std::system(command.c_str()));
}

// Each set by turns, so that a change of the machine's load falls on both alike.
BENCHMARK(BM_ParentSearch)->DenseRange(kMixedSet, kJapaneseSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrepL)->DenseRange(kMixedSet, kJapaneseSet)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
