// The file version of the library, kept in a section of its own so that
// GetVersionInfo (and anyone with a hex viewer) finds it in the binary the
// way the Windows build finds its version resource.

#ifndef KV_FILE_VERSION
#error "KV_FILE_VERSION must name the file version (set by common/CMakeLists.txt)"
#endif

#if defined(__GNUC__) && defined(__ELF__)
__attribute__((section(".kvversion"), used))
#endif
static const char kFileVersionMarker[] = "KVFILEVERSION=" KV_FILE_VERSION;
