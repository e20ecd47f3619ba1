#include "host/output_file.h"

#include "host/host_error.h"

#ifdef _WIN32
#include "platform/winapi.h"

#include <process.h>
#define QW_GETPID _getpid
#else
#include <unistd.h>
#define QW_GETPID getpid
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

OutputFile::OutputFile(std::string path)
    : target(std::move(path)),
      temporary(target + ".partial-" + std::to_string(static_cast<long>(QW_GETPID()))) {
    std::filesystem::path directory = std::filesystem::path(target).parent_path();
    std::error_code error;
    if (!directory.empty() && !std::filesystem::is_directory(directory, error))
        throw HostError("cannot write " + target + ": no directory " + directory.string());
}

OutputFile::~OutputFile() {
    if (!committed) std::remove(temporary.c_str());
}

void OutputFile::commit() {
#ifdef _WIN32
    // rename() refuses to replace an existing file on Windows.
    if (!MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw HostError("cannot write " + target + " (error " + std::to_string(GetLastError()) +
                        ")");
#else
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        throw HostError("cannot write " + target + ": " + std::strerror(errno));
#endif
    committed = true;
}
