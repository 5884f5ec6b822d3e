#include "app/cups_queue.h"

#include <cups/cups.h>

#include <cstring>

namespace vesprin {
namespace {

// The scheduler's last word, without its full stop (it goes inside a sentence).
std::string lastError() {
  const char* text = cupsLastErrorString();
  std::string said = text && *text ? text : "unknown error";
  if (said.back() == '.') said.pop_back();
  return said;
}

}  // namespace

QueueHandOver printOnDefaultQueue(std::string_view pdf, const std::string& title, const std::string& media) {
  QueueHandOver out;
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
  if (!dest) {
    // Without a scheduler there is no default printer either; say which.
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http) {
      out.note = std::string("the print scheduler cannot be reached at ") + cupsServer();
      return out;
    }
    httpClose(http);
    out.note = cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE
                   ? "no default printer"
                   : "no default printer (the print scheduler says: " + lastError() + ")";
    return out;
  }
  out.queue = dest->name;
  cupsFreeDests(1, dest);

  cups_option_t* options = nullptr;
  int count = cupsAddOption("media", media.c_str(), 0, &options);
  out.job = cupsCreateJob(CUPS_HTTP_DEFAULT, out.queue.c_str(), title.c_str(), count, options);
  cupsFreeOptions(count, options);
  if (out.job == 0) {
    out.note = "the printer " + out.queue + " did not take the job: " + lastError();
    return out;
  }
  bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, out.queue.c_str(), out.job, title.c_str(), CUPS_FORMAT_PDF, 1) ==
                  HTTP_STATUS_CONTINUE &&
              cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE;
  // The document is finished even after a failed write, to read the reason.
  const ipp_status_t finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, out.queue.c_str());
  sent = sent && finished <= IPP_STATUS_OK_EVENTS_COMPLETE;
  if (!sent) {
    out.note = "the printer " + out.queue + " did not take the job: " + lastError();
    cupsCancelJob2(CUPS_HTTP_DEFAULT, out.queue.c_str(), out.job, 0);
    out.job = 0;
    return out;
  }
  out.taken = true;

  // Taken by a stopped queue, the job waits until someone starts the queue.
  if (cups_dest_t* now = cupsGetNamedDest(CUPS_HTTP_DEFAULT, out.queue.c_str(), nullptr)) {
    const char* state = cupsGetOption("printer-state", now->num_options, now->options);
    if (state && std::strcmp(state, "5") == 0) {
      const char* message = cupsGetOption("printer-state-message", now->num_options, now->options);
      out.note = "the printer " + out.queue + " is stopped" +
                 (message && *message ? std::string(" (") + message + ")" : std::string()) + ": job " +
                 out.queue + "-" + std::to_string(out.job) + " waits in its queue until it is started again";
    }
    cupsFreeDests(1, now);
  }
  return out;
}

}  // namespace vesprin
