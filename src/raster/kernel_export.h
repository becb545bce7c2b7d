#ifndef LUMEKO_RASTER_KERNEL_EXPORT_H
#define LUMEKO_RASTER_KERNEL_EXPORT_H

/* The core is compiled with hidden visibility; the image kernels and their tables are part
 * of the shared library's C interface, so their declarations carry default visibility. */
#if defined(__GNUC__) || defined(__clang__)
#define LUMEKO_C_EXPORT __attribute__((visibility("default")))
#else
#define LUMEKO_C_EXPORT
#endif

#endif /* LUMEKO_RASTER_KERNEL_EXPORT_H */
