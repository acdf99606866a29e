#pragma once
// The by-reference outputs a member wrote during one script call. A script's
// variable reaches the member as a typed by-reference value (ScriptReferences),
// and whether the member wrote it cannot be told from that value, which may
// equal what went in; so the call that writes an output notes its address in
// the record of the call in progress. Calls of an apartment arrive on its one
// thread and may nest: each record replaces the current one while it is open.

#include <memory>
#include <span>
#include <vector>

namespace zelva::server {

struct Apartment;

class WrittenOutputs {
public:
    // Opens the record on the calling thread's apartment, when it has one.
    WrittenOutputs();
    WrittenOutputs(const WrittenOutputs&) = delete;
    WrittenOutputs& operator=(const WrittenOutputs&) = delete;
    ~WrittenOutputs();

    bool wrote(const void* output) const;

private:
    friend void noteOutputsWritten(std::span<const void* const> outputs);

    std::shared_ptr<Apartment> apartment_;
    WrittenOutputs* outer_ = nullptr;
    std::vector<const void*> written_;
};

// Notes in the open record, if any, that the outputs at `outputs` were written.
void noteOutputsWritten(std::span<const void* const> outputs);

}  // namespace zelva::server
