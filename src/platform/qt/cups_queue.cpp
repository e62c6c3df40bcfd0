#include "platform/qt/cups_queue.h"

#include <cups/cups.h>

#include <QPageLayout>
#include <QPageSize>

#include "platform/qt/qt_print_target.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

// Sizes of the CUPS media database are in hundredths of a millimetre.
constexpr double kHundredthsPerMm = 100.0;
constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
// The resolution the sheet is laid out at in the PDF sent to the queue: as the window's print
// dialog prints (see QtPrinterChooser), so that its thin lines stay visible on paper.
constexpr int kSheetResolution = 300;

// The destinations of the server, freed with the object.
class Destinations {
  public:
    Destinations() { count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_); }
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
    int count() const { return count_; }
    cups_dest_t* find(const std::string& name) const {
        return cupsGetDest(name.empty() ? nullptr : name.c_str(), nullptr, count_, dests_);
    }
    cups_dest_t* at(int i) const { return &dests_[i]; }
    // True when the server could not be asked at all (not merely: it has no queues).
    bool unreachable() const { return count_ == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE; }

  private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

std::string stateText(const cups_dest_t& dest) {
    const char* state = cupsGetOption("printer-state", dest.num_options, dest.options);
    if (state == nullptr) return "unknown";
    switch (std::atoi(state)) {
    case IPP_PSTATE_IDLE:
        return "idle";
    case IPP_PSTATE_PROCESSING:
        return "printing";
    case IPP_PSTATE_STOPPED:
        return "stopped";
    default:
        return "unknown";
    }
}

std::string unreachableText() {
    return std::string("the print service cannot be reached: ") + cupsLastErrorString();
}

// The queue's default paper and its printable area; A4 without margins when the queue does
// not tell.
QPageLayout queueLayout(cups_dest_t* dest) {
    cups_size_t size{};
    bool known = false;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        known = cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) != 0 && size.width > 0 &&
                size.length > 0;
        cupsFreeDestInfo(info);
    }
    if (!known)
        return QPageLayout(QPageSize(QSizeF(kA4WidthMm, kA4HeightMm), QPageSize::Millimeter),
                           QPageLayout::Portrait, QMarginsF());
    const QSizeF paper(size.width / kHundredthsPerMm, size.length / kHundredthsPerMm);
    const QMarginsF margins(size.left / kHundredthsPerMm, size.top / kHundredthsPerMm,
                            size.right / kHundredthsPerMm, size.bottom / kHundredthsPerMm);
    return QPageLayout(QPageSize(paper, QPageSize::Millimeter), QPageLayout::Portrait, margins,
                       QPageLayout::Millimeter);
}

} // namespace

bool listPrintQueues(std::vector<PrintQueueInfo>& queues, std::string& error) {
    queues.clear();
    Destinations dests;
    if (dests.unreachable()) {
        error = unreachableText();
        return false;
    }
    for (int i = 0; i < dests.count(); ++i) {
        const cups_dest_t& d = *dests.at(i);
        if (d.instance != nullptr) continue; // instances are option sets of a queue, not queues
        queues.push_back({d.name, d.is_default != 0, stateText(d)});
    }
    return true;
}

CupsQueueTarget::~CupsQueueTarget() = default;

std::unique_ptr<CupsQueueTarget> CupsQueueTarget::open(const std::string& queue, int copies,
                                                       std::string& error) {
    Destinations dests;
    cups_dest_t* dest = dests.find(queue);
    if (dest == nullptr) {
        if (dests.unreachable())
            error = unreachableText();
        else if (queue.empty())
            error = "there is no default print queue";
        else
            error = "there is no print queue " + queue;
        return nullptr;
    }
    std::unique_ptr<CupsQueueTarget> target(new CupsQueueTarget);
    if (!target->folder_.isValid()) {
        error = "no temporary folder for the print job";
        return nullptr;
    }
    target->queue_ = dest->name;
    target->copies_ = copies;
    target->file_ = target->folder_.filePath(QStringLiteral("job.pdf")).toStdString();
    target->printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    target->printer_->setResolution(kSheetResolution);
    target->printer_->setOutputFormat(QPrinter::PdfFormat);
    target->printer_->setOutputFileName(QString::fromStdString(target->file_));
    target->printer_->setPageLayout(queueLayout(dest));
    target->target_ = std::make_unique<QtPrintTarget>(*target->printer_);
    return target;
}

PrintablePage CupsQueueTarget::page() const {
    return target_->page();
}

bool CupsQueueTarget::startDocument(const std::wstring& name) {
    title_ = codepage::toUtf8(name);
    if (target_->startDocument(name)) return true;
    error_ = "the print document could not be made";
    return false;
}

Surface& CupsQueueTarget::surface() {
    return target_->surface();
}

bool CupsQueueTarget::nextPage() {
    if (target_->nextPage()) return true;
    error_ = "a page of the print document could not be started";
    return false;
}

bool CupsQueueTarget::endPage() {
    return target_->endPage();
}

bool CupsQueueTarget::endDocument() {
    if (!target_->endDocument()) {
        error_ = "the print document could not be written";
        return false;
    }
    cups_option_t* options = nullptr;
    const int count = cupsAddOption("copies", std::to_string(copies_).c_str(), 0, &options);
    jobId_ = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue_.c_str(), file_.c_str(), title_.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (jobId_ > 0) return true;
    jobId_ = 0;
    error_ = std::string("the print queue ") + queue_ + " refused the job: " + cupsLastErrorString();
    return false;
}

void CupsQueueTarget::abort() {
    target_->abort();
}

} // namespace tenzora
