// An output that appears complete or not at all: it is written to a
// temporary file beside the target and renamed over the target on commit.
// Without a commit the temporary file is removed again.
#pragma once

#include <string>

class OutputFile {
public:
    explicit OutputFile(std::string target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Where the writer writes until the commit.
    const std::string& temporaryPath() const { return temporary; }
    const std::string& targetPath() const { return target; }

    // Replaces the target by the temporary file; throws HostError.
    void commit();

private:
    std::string target;
    std::string temporary;
    bool committed = false;
};
