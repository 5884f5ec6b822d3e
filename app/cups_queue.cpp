#include "app/cups_queue.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <cstring>
#include <string>
#include <type_traits>

namespace vesprin {
namespace {

// libcups is loaded when a sheet goes to a queue, not when the program
// starts: with what it links (TLS, Kerberos, service discovery) it costs a
// run that only writes a PDF a few milliseconds of loading for nothing.
struct Cups {
  decltype(&::cupsGetNamedDest) getNamedDest;
  decltype(&::httpConnect2) connect;
  decltype(&::httpClose) close;
  decltype(&::cupsServer) server;
  decltype(&::ippPort) port;
  decltype(&::cupsEncryption) encryption;
  decltype(&::cupsLastError) lastError;
  decltype(&::cupsLastErrorString) lastErrorString;
  decltype(&::cupsFreeDests) freeDests;
  decltype(&::cupsAddOption) addOption;
  decltype(&::cupsFreeOptions) freeOptions;
  decltype(&::cupsCreateJob) createJob;
  decltype(&::cupsStartDocument) startDocument;
  decltype(&::cupsWriteRequestData) writeRequestData;
  decltype(&::cupsFinishDocument) finishDocument;
  decltype(&::cupsCancelJob2) cancelJob;
  decltype(&::cupsGetOption) getOption;
};

// The library of the version built against (its soname), loaded once; why
// not when it cannot be.
const Cups* loadCups(std::string& why) {
  static std::string failure;
  static const Cups* const cups = []() -> const Cups* {
    void* lib = ::dlopen(VESPRIN_CUPS_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
      const char* e = ::dlerror();
      failure = std::string("the printing library ") + VESPRIN_CUPS_SONAME + " cannot be loaded" +
                (e ? std::string(" (") + e + ")" : std::string());
      return nullptr;
    }
    static Cups c;
    bool whole = true;
    const auto bind = [&](auto& fn, const char* name) {
      fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(::dlsym(lib, name));
      if (!fn && whole) {
        whole = false;
        failure = std::string("the printing library ") + VESPRIN_CUPS_SONAME + " lacks " + name;
      }
    };
    bind(c.getNamedDest, "cupsGetNamedDest");
    bind(c.connect, "httpConnect2");
    bind(c.close, "httpClose");
    bind(c.server, "cupsServer");
    bind(c.port, "ippPort");
    bind(c.encryption, "cupsEncryption");
    bind(c.lastError, "cupsLastError");
    bind(c.lastErrorString, "cupsLastErrorString");
    bind(c.freeDests, "cupsFreeDests");
    bind(c.addOption, "cupsAddOption");
    bind(c.freeOptions, "cupsFreeOptions");
    bind(c.createJob, "cupsCreateJob");
    bind(c.startDocument, "cupsStartDocument");
    bind(c.writeRequestData, "cupsWriteRequestData");
    bind(c.finishDocument, "cupsFinishDocument");
    bind(c.cancelJob, "cupsCancelJob2");
    bind(c.getOption, "cupsGetOption");
    return whole ? &c : nullptr;
  }();
  if (!cups) why = failure;
  return cups;
}

// The scheduler's last word, without its full stop (it goes inside a sentence).
std::string lastError(const Cups& cups) {
  const char* text = cups.lastErrorString();
  std::string said = text && *text ? text : "unknown error";
  if (said.back() == '.') said.pop_back();
  return said;
}

}  // namespace

QueueHandOver printOnDefaultQueue(std::string_view pdf, const std::string& title, const std::string& media) {
  QueueHandOver out;
  const Cups* loaded = loadCups(out.note);
  if (!loaded) return out;
  const Cups& cups = *loaded;
  cups_dest_t* dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
  if (!dest) {
    // Without a scheduler there is no default printer either; say which.
    http_t* http = cups.connect(cups.server(), cups.port(), nullptr, AF_UNSPEC, cups.encryption(), 1, 5000, nullptr);
    if (!http) {
      out.note = std::string("the print scheduler cannot be reached at ") + cups.server();
      return out;
    }
    cups.close(http);
    out.note = cups.lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE
                   ? "no default printer"
                   : "no default printer (the print scheduler says: " + lastError(cups) + ")";
    return out;
  }
  out.queue = dest->name;
  cups.freeDests(1, dest);

  cups_option_t* options = nullptr;
  int count = cups.addOption("media", media.c_str(), 0, &options);
  out.job = cups.createJob(CUPS_HTTP_DEFAULT, out.queue.c_str(), title.c_str(), count, options);
  cups.freeOptions(count, options);
  if (out.job == 0) {
    out.note = "the printer " + out.queue + " did not take the job: " + lastError(cups);
    return out;
  }
  bool sent = cups.startDocument(CUPS_HTTP_DEFAULT, out.queue.c_str(), out.job, title.c_str(), CUPS_FORMAT_PDF, 1) ==
                  HTTP_STATUS_CONTINUE &&
              cups.writeRequestData(CUPS_HTTP_DEFAULT, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE;
  // The document is finished even after a failed write, to read the reason.
  const ipp_status_t finished = cups.finishDocument(CUPS_HTTP_DEFAULT, out.queue.c_str());
  sent = sent && finished <= IPP_STATUS_OK_EVENTS_COMPLETE;
  if (!sent) {
    out.note = "the printer " + out.queue + " did not take the job: " + lastError(cups);
    cups.cancelJob(CUPS_HTTP_DEFAULT, out.queue.c_str(), out.job, 0);
    out.job = 0;
    return out;
  }
  out.taken = true;

  // Taken by a stopped queue, the job waits until someone starts the queue.
  if (cups_dest_t* now = cups.getNamedDest(CUPS_HTTP_DEFAULT, out.queue.c_str(), nullptr)) {
    const char* state = cups.getOption("printer-state", now->num_options, now->options);
    if (state && std::strcmp(state, "5") == 0) {
      const char* message = cups.getOption("printer-state-message", now->num_options, now->options);
      out.note = "the printer " + out.queue + " is stopped" +
                 (message && *message ? std::string(" (") + message + ")" : std::string()) + ": job " +
                 out.queue + "-" + std::to_string(out.job) + " waits in its queue until it is started again";
    }
    cups.freeDests(1, now);
  }
  return out;
}

}  // namespace vesprin
