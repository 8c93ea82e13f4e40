#include "encoder/ConversionLog.h"

#include <windows.h>

#include "protocol/EncoderFile.h"

namespace {

std::string& LogPath() {
    static std::string path;
    return path;
}

void Append(const std::string& text) {
    if (LogPath().empty() || text.empty())
        return;
    HANDLE file = CreateFileA(LogPath().c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Quoted(const std::string& arg) {
    return arg.find_first_of(" \t\"") == std::string::npos && !arg.empty() ? arg
                                                                           : "\"" + arg + "\"";
}

// The line ends as Notepad wants them.
std::string WindowsLines(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";
    return out;
}

} // namespace

void BeginConversionLog(const char* argumentText) {
    char path[MAX_PATH + 1];
    const DWORD length = GetEnvironmentVariableA(kEncoderLogVariable, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    LogPath() = path;
    Append("quenforenc " + std::string(argumentText != nullptr ? argumentText : "") + "\r\n\r\n");
}

void LogFfmpegRun(const std::string& ffmpegPath, const std::vector<std::string>& args,
                  const std::string& messages, const std::string& lastLine) {
    if (LogPath().empty())
        return;
    std::string text = Quoted(ffmpegPath);
    for (const std::string& arg : args)
        text += " " + Quoted(arg);
    text += "\r\n" + WindowsLines(messages);
    // The kept text is the start of the messages; a long run's end is its last line.
    const size_t at = messages.rfind(lastLine);
    if (!lastLine.empty() &&
        (at == std::string::npos || messages.find_first_not_of("\r\n", at + lastLine.size()) !=
                                        std::string::npos)) {
        text += "[...]\r\n" + WindowsLines(lastLine);
    }
    Append(text + "\r\n");
}

void LogNote(const std::string& text) {
    Append(WindowsLines("quenforenc: " + text));
}

void EndConversionLog(int exitCode) {
    Append("quenforenc: exit code " + std::to_string(exitCode) + "\r\n");
}
