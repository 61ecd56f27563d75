// The identities of the host's classes and interfaces. They are this host's own:
// a client reaches the host by its ProgID and its members by name, never by these.
#ifndef SHEETHOST_AUTOMATION_INTERFACE_IDS_HPP
#define SHEETHOST_AUTOMATION_INTERFACE_IDS_HPP

#include "oleaut.h"

namespace sheethost::automation {

// {5B7E4C00-3A91-4D2B-8F16-0C2D9A6E1000} + n
constexpr GUID host_guid(unsigned short n)
{
    return {0x5B7E4C00u + n, 0x3A91, 0x4D2B, {0x8F, 0x16, 0x0C, 0x2D, 0x9A, 0x6E, 0x10, 0x00}};
}

inline constexpr GUID kCLSID_Application = host_guid(0x00);
inline constexpr GUID kIID_Application = host_guid(0x01);
inline constexpr GUID kIID_Workbooks = host_guid(0x02);
inline constexpr GUID kIID_Workbook = host_guid(0x03);
inline constexpr GUID kIID_Sheets = host_guid(0x04);
inline constexpr GUID kIID_Worksheet = host_guid(0x05);
inline constexpr GUID kIID_Range = host_guid(0x06);
inline constexpr GUID kIID_Chart = host_guid(0x07);
inline constexpr GUID kIID_SeriesCollection = host_guid(0x08);
inline constexpr GUID kIID_Series = host_guid(0x09);
inline constexpr GUID kIID_Legend = host_guid(0x0A);
inline constexpr GUID kIID_PlotArea = host_guid(0x0B);
inline constexpr GUID kIID_ChartTitle = host_guid(0x0C);
inline constexpr GUID kIID_Axes = host_guid(0x0D);
inline constexpr GUID kIID_Axis = host_guid(0x0E);
inline constexpr GUID kIID_AxisTitle = host_guid(0x0F);
inline constexpr GUID kIID_Characters = host_guid(0x10);
inline constexpr GUID kIID_Font = host_guid(0x11);
inline constexpr GUID kIID_Walls = host_guid(0x12);
inline constexpr GUID kIID_Floor = host_guid(0x13);
inline constexpr GUID kIID_Border = host_guid(0x14);
inline constexpr GUID kIID_ChartFillFormat = host_guid(0x15);
inline constexpr GUID kIID_ChartColorFormat = host_guid(0x16);

}  // namespace sheethost::automation

#endif
