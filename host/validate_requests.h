// What an effect asks the host, followed request by request through
// HostRecorder's log: every begin-edit (43) ended by an end-edit (44) for the
// same parameter, no automation request (0) for a parameter the effect does
// not have or with a value outside 0..1, and, while nobody works the editor,
// none of these requests at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ReceivedRequest;

class RequestAudit {
public:
    // Follows the requests logged from now on.
    explicit RequestAudit(std::int32_t parameterCount);

    // Whether a user works the editor: without one, an editor has no
    // reason to begin an edit or automate a parameter.
    void setUserActs(bool acts) { userActs = acts; }

    // Reads the requests logged since the last call: the first problem, or "".
    std::string follow();
    // After a finished gesture or a closed editor: a problem when a
    // begin-edit is still waiting for its end-edit, else "".
    std::string allEnded() const;

    long edits() const { return endedEdits; } // begin-edits ended
    long automations() const { return automationRequests; }

private:
    std::string take(const ReceivedRequest& request);

    std::int32_t parameters;
    std::size_t next;
    bool userActs = true;
    std::vector<std::int32_t> openEdits; // parameters with a begin-edit not yet ended
    long endedEdits = 0;
    long automationRequests = 0;
};
