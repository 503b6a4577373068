#include "MergedOutput.h"

namespace d88merge {

namespace {

// The most temporary names tried beside the output.
constexpr int kTemporaryNames = 100;

// Whether `path` leads to a file that cannot be replaced by the output: one
// of the inputs, or no plain file.
OutputFailure whatIsThere(const std::string& path, const std::vector<d88::FileIdentity>& inputs) {
    d88::os::Handle there = d88::os::kNoHandle;
    if (d88::os::openForReading(path.c_str(), there) != d88::OpenError::None) {
        return d88::os::exists(path.c_str()) ? OutputFailure::NotRegular : OutputFailure::None;
    }
    d88::FileFacts facts;
    const bool described = d88::os::describe(there, facts);
    d88::os::close(there);
    if (!described || !facts.regular) {
        return OutputFailure::NotRegular;
    }
    for (const d88::FileIdentity& input : inputs) {
        if (facts.identity == input) {
            return OutputFailure::IsAnInput;
        }
    }
    return OutputFailure::None;
}

}  // namespace

bool MergedOutput::fail(OutputFailure why) {
    abandon();
    failed = why;
    return false;
}

bool MergedOutput::begin(const std::string& path, const std::vector<d88::FileIdentity>& inputs,
                         bool replace) {
    abandon();
    failed = OutputFailure::None;
    target = path;
    replacing = replace;
    const OutputFailure there = whatIsThere(path, inputs);
    if (there != OutputFailure::None) {
        return fail(there);
    }
    if (!replace && d88::os::exists(path.c_str())) {
        return fail(OutputFailure::Taken);
    }
    for (int attempt = 1; attempt <= kTemporaryNames; ++attempt) {
        const std::string name = path + ".d88merge-" + std::to_string(attempt) + ".tmp";
        if (d88::os::createNew(name.c_str(), handle)) {
            temporary = name;
            return true;
        }
        handle = d88::os::kNoHandle;
    }
    return fail(OutputFailure::CannotCreate);
}

bool MergedOutput::write(const std::uint8_t* data, std::size_t length) {
    if (handle == d88::os::kNoHandle) {
        return false;
    }
    std::size_t done = 0;
    while (done < length) {
        const std::int64_t put = d88::os::write(handle, data + done, length - done);
        if (put <= 0) {
            return fail(OutputFailure::WriteFailed);
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool MergedOutput::finish() {
    if (handle == d88::os::kNoHandle) {
        return false;
    }
    const bool closed = d88::os::close(handle);
    handle = d88::os::kNoHandle;
    if (!closed) {
        return fail(OutputFailure::WriteFailed);
    }
    if (!d88::os::renameFile(temporary.c_str(), target.c_str(), replacing)) {
        return fail(replacing ? OutputFailure::CannotRename : OutputFailure::Taken);
    }
    temporary.clear();
    return true;
}

void MergedOutput::abandon() {
    if (handle != d88::os::kNoHandle) {
        d88::os::close(handle);
        handle = d88::os::kNoHandle;
    }
    if (!temporary.empty()) {
        d88::os::removeFile(temporary.c_str());
        temporary.clear();
    }
}

}  // namespace d88merge
