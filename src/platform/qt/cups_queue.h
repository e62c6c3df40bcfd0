#pragma once
// Printing to a CUPS print queue without a dialog (tenzora-cli): the pages are painted into a
// PDF document laid out for the queue's default paper and printable area, and the document is
// handed to the queue as a PDF job. The queues are those of the CUPS server the environment
// names (CUPS_SERVER), else the system's.

#include <QPrinter>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "platform/print_target.h"

namespace tenzora {

class QtPrintTarget;

struct PrintQueueInfo {
    std::string name;
    bool isDefault = false;
    std::string state; // "idle", "printing", "stopped" or "unknown"
};

// The queues of the print server; false, with the reason, when the server cannot be asked.
bool listPrintQueues(std::vector<PrintQueueInfo>& queues, std::string& error);

class CupsQueueTarget : public PrintTarget {
  public:
    ~CupsQueueTarget() override;

    // The named queue (empty: the default one) printing `copies` copies; none, with the
    // reason, when there is no such queue.
    static std::unique_ptr<CupsQueueTarget> open(const std::string& queue, int copies, std::string& error);

    const std::string& queue() const { return queue_; }
    // The job number the server gave, once the document has ended.
    int jobId() const { return jobId_; }
    // Why the job failed (empty when it did not).
    const std::string& error() const { return error_; }

    PrintablePage page() const override;
    bool startDocument(const std::wstring& name) override;
    Surface& surface() override;
    bool nextPage() override;
    bool endPage() override;
    bool endDocument() override;
    void abort() override;

  private:
    CupsQueueTarget() = default;

    std::string queue_;
    int copies_ = 1;
    std::string title_;
    QTemporaryDir folder_;
    std::string file_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPrintTarget> target_;
    int jobId_ = 0;
    std::string error_;
};

} // namespace tenzora
