#include "desk/desk_with_book.h"

namespace vesprin {

void attachClientPanel(DeskWindow& window, ClientPanel* panel) {
  window.setSidePanel(panel);
  QObject::connect(panel, &ClientPanel::clientOpened, &window,
                   [&window](qint64, const PrintRequest& request) { window.setRequest(request); });
  QObject::connect(&window, &DeskWindow::saveClientRequested, panel, &ClientPanel::save);
  QObject::connect(panel, &ClientPanel::saveAsNewRequested, &window, [&window, panel] {
    // Only a birth whose sheet is shown is kept, as with Ctrl+S.
    if (window.canPrint()) panel->saveAsNew(window.request());
  });
  QObject::connect(&window, &DeskWindow::sheetPrinted, panel, &ClientPanel::recordSheet);
  QObject::connect(panel, &ClientPanel::printRequested, &window,
                   [&window, panel](const QList<qint64>& ids, const QList<PrintRequest>& requests) {
                     // Each saved chart is shown, printed as the desk prints, and the
                     // form given back as it was.
                     const PrintRequest shown = window.request();
                     for (qsizetype k = 0; k < requests.size(); ++k) {
                       panel->setSheetOwner(ids[k]);
                       window.setRequest(requests[k]);
                       window.refreshNow();
                       window.printOnDefaultPrinter();
                     }
                     panel->setSheetOwner(std::nullopt);
                     window.setRequest(shown);
                   });
}

}  // namespace vesprin
