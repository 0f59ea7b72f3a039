// The console of Windows: a standard handle is a console when the console answers for its mode.
// Text goes to a console as UTF-16 characters (WriteConsoleW), whatever its code page; into a file
// or a pipe as the program's UTF-8 bytes, in binary mode so that "\n" is not made "\r\n".

#include <windows.h>
// After windows.h, which they need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string_view>

#include "platform/console.h"
#include "platform/win32/command_line.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

HANDLE StandardHandle(TStandardStream stream) {
  return GetStdHandle(stream == TStandardStream::Input    ? STD_INPUT_HANDLE
                      : stream == TStandardStream::Output ? STD_OUTPUT_HANDLE
                                                          : STD_ERROR_HANDLE);
}

// The length of the part of `text` that ends with a whole UTF-8 sequence: a sequence cut by the
// end of a buffer waits for its other bytes.
std::size_t CompleteLength(std::string_view text) {
  const std::size_t size = text.size();
  for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
    const auto byte = static_cast<unsigned char>(text[size - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: the sequence began earlier
    const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return needed > back ? size - back : size;
  }
  return size;
}

// A stream buffer that writes to a console as UTF-16.
class TConsoleBuffer final : public std::streambuf {
 public:
  explicit TConsoleBuffer(HANDLE console) : console_(console) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

 protected:
  int_type overflow(int_type c) override {
    if (Flush() != 0) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
  }

  int sync() override { return Flush(); }

 private:
  int Flush() {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    const std::size_t complete = CompleteLength(pending);
    const std::wstring wide = WideText(pending.substr(0, complete));
    bool written = true;
    for (std::size_t at = 0; at < wide.size() && written;) {
      DWORD count = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - at, 8192));
      written = WriteConsoleW(console_, wide.data() + at, chunk, &count, nullptr) != 0 && count > 0;
      at += count;
    }
    // The bytes of a cut sequence move to the front and wait for the rest.
    const std::size_t left = pending.size() - complete;
    std::copy(pending.end() - static_cast<std::ptrdiff_t>(left), pending.end(), buffer_.begin());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    pbump(static_cast<int>(left));
    return written ? 0 : -1;
  }

  HANDLE console_;
  std::array<char, 4096> buffer_;
};

// Sends `stream` to its console, or sets its C stream to binary when it leads elsewhere.
void SetUpStream(std::ostream& stream, TStandardStream which, FILE* file) {
  if (IsTerminal(which)) {
    const HANDLE console = StandardHandle(which);
    // The progress line is redrawn with escape sequences, which the console then interprets.
    DWORD mode = 0;
    if (GetConsoleMode(console, &mode)) SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    // Never freed: the standard streams are flushed after every static object has gone.
    stream.rdbuf(new TConsoleBuffer(console));
  } else {
    _setmode(_fileno(file), _O_BINARY);
  }
}

}  // namespace

bool IsTerminal(TStandardStream stream) {
  DWORD mode = 0;
  return GetConsoleMode(StandardHandle(stream), &mode) != 0;
}

std::vector<std::string> CommandLineArguments(const wchar_t* commandLine) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> split(CommandLineToArgvW(commandLine, &count), &LocalFree);
  std::vector<std::string> arguments;
  if (!split) return arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(NarrowText(split.get()[i]));
  return arguments;
}

std::vector<std::string> ProgramArguments(int, char**) { return CommandLineArguments(GetCommandLineW()); }

void SetUpConsoleStreams() {
  std::cout.flush();
  std::cerr.flush();
  SetUpStream(std::cout, TStandardStream::Output, stdout);
  SetUpStream(std::cerr, TStandardStream::Error, stderr);
}

// A write to a pipe whose reader has gone fails with an error on Windows; there is no signal.
void SetUpConsoleProgram() {}

}  // namespace kalvero
