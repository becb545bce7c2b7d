#pragma once

#include <map>

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"

// Builds a model's paper list: the papers it can print on, keyed by paper id in ascending
// order. Nothing is cached; every call builds the rows afresh.
class PaperBuilder {
  public:
    // Empties `papers`, then adds the lists selected by the bits of `spec.paperKinds`, in
    // this order: 0x0004 (full-page: retract list for fcFeedMode 4, else roll list for
    // fcPaperKind 1, else cut sheets), 0x0001 (A7), 0x0002 (A6), 0x0010 (720-dot labels, then
    // the two-colour label), 0x0400 (1296-dot labels), 0x0020, 0x0040, 0x0080 (tapes), 0x0100
    // (tubes), 0x0200 (flag label). Other bits add nothing. A row whose id is already in the
    // map is dropped, so the list added first wins. Of the options only fcFeedMode and
    // fcPaperKind are read.
    void createPaperList(const PrinterSpec& spec, RasterPrintOption option,
                         std::map<unsigned short, Paper>& papers) const;

    // Each list builder adds its rows in its own order and never replaces an entry.
    // The full-page lists need paperKinds exactly 4 and dpi 200 or 300 (the rows of that
    // resolution); any other dpi adds nothing.
    void createFCPaperList(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const;
    void createFCRollPaperList(const PrinterSpec& spec,
                               std::map<unsigned short, Paper>& papers) const;
    void createFCEndOfPageRetractPaperList(const PrinterSpec& spec,
                                           std::map<unsigned short, Paper>& papers) const;
    // Needs paperKinds exactly 1.
    void createA7PaperList(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const;
    // Needs paperKinds exactly 2.
    void createA6PPaperList(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const;
    // The label, tape, tube and flag-label lists have no guard.
    void createVZPaperList(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const;
    void createVZ2ColorPaperList(const PrinterSpec& spec,
                                 std::map<unsigned short, Paper>& papers) const;
    void createVZ4000PaperList(const PrinterSpec& spec,
                               std::map<unsigned short, Paper>& papers) const;
    void createKXPaperList(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const;
    void createKX3PaperList(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const;
    void createKX36PaperList(const PrinterSpec& spec,
                             std::map<unsigned short, Paper>& papers) const;
    void createTubePaperList(const PrinterSpec& spec,
                             std::map<unsigned short, Paper>& papers) const;
    void createGFePaperList(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const;
};
