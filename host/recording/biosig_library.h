// Debian's libbiosig, loaded with dlopen the first time an EDF, BDF or GDF file is read: the
// library and what it pulls in (a DICOM toolkit, an XML parser, ICU) are costly to map and to
// initialise, and most runs of the host read no such file. Once loaded, the library stays for
// the life of the process; its functions are called through this table.
#pragma once

#include <biosig.h>

namespace PendrelHost {

struct BiosigLibrary {
  HDRTYPE* (*sopen)(const char*, const char*, HDRTYPE*);
  int (*sclose)(HDRTYPE*);
  void (*destructHDR)(HDRTYPE*);
  size_t (*sread)(biosig_data_type*, size_t, size_t, HDRTYPE*);
  int (*biosig_check_error)(HDRTYPE*);
  char* (*biosig_get_errormsg)(HDRTYPE*);
  double (*biosig_get_samplerate)(HDRTYPE*);
  long (*biosig_get_number_of_channels)(HDRTYPE*);
  CHANNEL_TYPE* (*biosig_get_channel)(HDRTYPE*, int);
  const char* (*biosig_channel_get_label)(CHANNEL_TYPE*);
  const char* (*biosig_channel_get_physdim)(CHANNEL_TYPE*);
  gdf_time (*biosig_get_startdatetime_gdf)(HDRTYPE*);
  size_t (*biosig_get_number_of_records)(HDRTYPE*);
  int (*biosig_get_datablock)(HDRTYPE*, biosig_data_type**, size_t*, size_t*);
  int (*biosig_get_flag)(HDRTYPE*, unsigned);
};

// Loads the library on the first call. Throws RecordingError when it is missing or lacks a
// function.
const BiosigLibrary& Biosig();

}  // namespace PendrelHost
