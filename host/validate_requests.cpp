#include "host/validate_requests.h"

#include "host/host_recorder.h"
#include "host/validate_check.h"
#include "plugin/host_requests.h"

#include <algorithm>
#include <utility>

namespace {

const char* requestText(std::int32_t code) {
    switch (code) {
    case hostAutomate: return "an automation request (0)";
    case hostBeginEdit: return "a begin-edit (43)";
    default: return "an end-edit (44)";
    }
}

} // namespace

RequestAudit::RequestAudit(std::int32_t parameterCount)
    : parameters(parameterCount), next(HostRecorder::instance().requestCount()) {}

std::string RequestAudit::follow() {
    const std::vector<ReceivedRequest> fresh = HostRecorder::instance().requests(next);
    next += fresh.size();
    std::string problem;
    for (const ReceivedRequest& request : fresh) {
        if (!request.fromEffect) continue;
        std::string found = take(request);
        if (problem.empty()) problem = std::move(found);
    }
    return problem;
}

std::string RequestAudit::allEnded() const {
    if (openEdits.empty()) return {};
    return formatText("the begin-edit (43) for parameter %d was never ended by an end-edit (44)",
                      openEdits.front());
}

std::string RequestAudit::take(const ReceivedRequest& request) {
    const std::int32_t code = request.code;
    if (code != hostAutomate && code != hostBeginEdit && code != hostEndEdit) return {};
    const std::int32_t index = request.index;
    if (code == hostAutomate) ++automationRequests;
    if (!userActs)
        return formatText("%s for parameter %d with nobody at the editor", requestText(code),
                          index);
    if (index < 0 || index >= parameters)
        return formatText("%s for parameter %d, which the effect does not have", requestText(code),
                          index);
    const auto open = std::find(openEdits.begin(), openEdits.end(), index);
    switch (code) {
    case hostBeginEdit:
        if (open != openEdits.end())
            return formatText("a second begin-edit (43) for parameter %d before the end-edit (44) "
                              "of the first",
                              index);
        openEdits.push_back(index);
        return {};
    case hostEndEdit:
        if (open == openEdits.end())
            return formatText("an end-edit (44) for parameter %d with no begin-edit (43) open",
                              index);
        openEdits.erase(open);
        ++endedEdits;
        return {};
    default:
        if (!(request.opt >= 0.0f && request.opt <= 1.0f))
            return formatText("an automation request (0) for parameter %d with the value %g, "
                              "outside 0..1",
                              index, static_cast<double>(request.opt));
        return {};
    }
}
