#include "page_transfer.h"

#include <algorithm>
#include <climits>

#include "common/twain_values.h"

void PageTransfer::Begin(const ScanSettings& settings, TW_UINT32 pageNumber) {
  m_settings = settings;
  m_geometry = GeometryOf(settings);
  m_pageNumber = pageNumber;
  m_nextRow = 0;
}

ChartPage PageTransfer::Chart() const {
  return {m_geometry.columns, m_geometry.rows, m_settings.pixelType, m_pageNumber,
          m_settings.brightness};
}

TripletResult PageTransfer::NextStrip(TW_IMAGEMEMXFER* xfer, const DataSourceMemory& memory) {
  if (Done()) return Failure(TWCC_SEQERROR);
  if (xfer->Memory.TheMem == nullptr) return Failure(TWCC_BADVALUE);
  if ((xfer->Memory.Flags & TWMF_HANDLE) == 0) {
    return FillStrip(static_cast<TW_UINT8*>(xfer->Memory.TheMem), xfer->Memory.Length, xfer);
  }
  auto handle = static_cast<TW_HANDLE>(xfer->Memory.TheMem);
  auto* buffer = reinterpret_cast<TW_UINT8*>(memory.LockMemory(handle));
  TripletResult result =
      buffer != nullptr ? FillStrip(buffer, xfer->Memory.Length, xfer) : Failure(TWCC_BADVALUE);
  memory.UnlockMemory(handle);
  return result;
}

TripletResult PageTransfer::FillStrip(TW_UINT8* buffer, TW_UINT32 length, TW_IMAGEMEMXFER* xfer) {
  TW_UINT32 rowsThatFit = length / m_geometry.bytesPerRow;
  if (rowsThatFit == 0) return Failure(TWCC_BADVALUE);
  TW_UINT32 rows = std::min(rowsThatFit, m_geometry.rows - m_nextRow);
  RenderChartRows(Chart(), m_nextRow, rows, m_geometry.bytesPerRow, buffer);
  xfer->Compression = TWCP_NONE;
  xfer->BytesPerRow = m_geometry.bytesPerRow;
  xfer->Columns = m_geometry.columns;
  xfer->Rows = rows;
  xfer->XOffset = 0;
  xfer->YOffset = m_nextRow;
  xfer->BytesWritten = rows * m_geometry.bytesPerRow;
  m_nextRow += rows;
  return Success(Done() ? TWRC_XFERDONE : TWRC_SUCCESS);
}

TripletResult PageTransfer::WholePage(TW_HANDLE* page, const DataSourceMemory& memory) {
  if (Done()) return Failure(TWCC_SEQERROR);
  uint64_t bytes = uint64_t{m_geometry.bytesPerRow} * m_geometry.rows;
  if (bytes > UINT_MAX) return Failure(TWCC_LOWMEMORY);
  TW_HANDLE handle = memory.AllocMemory(static_cast<unsigned int>(bytes));
  if (handle == nullptr) return Failure(TWCC_LOWMEMORY);
  auto* data = reinterpret_cast<TW_UINT8*>(memory.LockMemory(handle));
  if (data == nullptr) {
    memory.FreeMemory(handle);
    return Failure(TWCC_LOWMEMORY);
  }
  RenderChartRows(Chart(), 0, m_geometry.rows, m_geometry.bytesPerRow, data);
  memory.UnlockMemory(handle);
  *page = handle;
  m_nextRow = m_geometry.rows;
  return Success(TWRC_XFERDONE);
}
