// Delivers the current page: its image information, and its bytes by memory transfer (strip
// after strip into the application's buffer) or by native transfer (one handle for the page).
#pragma once

#include "capabilities.h"
#include "page_geometry.h"
#include "test_chart.h"
#include "triplet_result.h"
#include "twaintrace/data_source_memory.h"

class PageTransfer {
 public:
  // Makes page `pageNumber` (from 1) with `settings` the current one, nothing of it delivered.
  void Begin(const ScanSettings& settings, TW_UINT32 pageNumber);

  const ScanSettings& Settings() const { return m_settings; }
  bool Done() const { return m_nextRow >= m_geometry.rows; }

  // The next strip of whole rows; TWRC_XFERDONE with the last one.
  TripletResult NextStrip(TW_IMAGEMEMXFER* xfer, const DataSourceMemory& memory);
  // The whole page in a new handle that the application frees; TWRC_XFERDONE.
  TripletResult WholePage(TW_HANDLE* page, const DataSourceMemory& memory);

 private:
  ChartPage Chart() const;
  TripletResult FillStrip(TW_UINT8* buffer, TW_UINT32 length, TW_IMAGEMEMXFER* xfer);

  ScanSettings m_settings{};
  PageGeometry m_geometry{};
  TW_UINT32 m_pageNumber = 0;
  TW_UINT32 m_nextRow = 0;
};
