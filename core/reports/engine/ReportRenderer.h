#pragma once

#include "core/reports/engine/ReportPage.h"

#include <QImage>
#include <QString>

class QIODevice;
class QPainter;
class QPagedPaintDevice;

namespace tk {

// Paints generated pages onto any QPainter. The painter's origin must be the paper's
// top-left corner (a full-page printer, a PDF writer without margins, an image); millimetres
// become device pixels once per page from the device's resolution, and fonts keep their
// point sizes.
class ReportRenderer
{
public:
    explicit ReportRenderer(const ReportDocument &document);

    void paintPage(QPainter &painter, int pageIndex) const;
    void paintPage(QPainter &painter, int pageIndex, double dpiX, double dpiY) const;
    // The page on white, for looking at it or comparing pixels.
    QImage pageImage(int pageIndex, double dpi) const;

private:
    const ReportDocument &m_document;
};

// Sends the pages of one or more documents to a printer or a PDF writer as one job: each
// document starts on a new page with its own paper orientation. A document without pages
// adds nothing; a job without pages never opens the device (no empty file, no empty print).
class ReportPrintJob
{
public:
    explicit ReportPrintJob(QPagedPaintDevice &device);
    virtual ~ReportPrintJob();
    ReportPrintJob(const ReportPrintJob &) = delete;
    ReportPrintJob &operator=(const ReportPrintJob &) = delete;

    // False when the device cannot be opened (a file that cannot be written).
    bool add(const ReportDocument &document);
    // Ends the job; false when it failed.
    bool finish();
    int pageCount() const { return m_pages; }

protected:
    // Names the job on its device before a document's first page; firstDocument is true
    // for the job's first document.
    virtual void adjustDevice(const ReportDocument &document, bool firstDocument);

    QPagedPaintDevice &m_device;

private:
    void prepareDevice(const ReportDocument &document);

    QPainter *m_painter = nullptr;
    int m_pages = 0;
    bool m_failed = false;
};

// Writes documents into one PDF file. Returns false with a German message when the file
// cannot be written; writes no file when the documents hold no page.
bool writePdf(const QVector<ReportDocument> &documents, const QString &fileName,
              QString *errorMessage = nullptr);
// The same into an open device (a file saved under its name only when complete).
bool writePdf(const QVector<ReportDocument> &documents, QIODevice *device);

} // namespace tk
