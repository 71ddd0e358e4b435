#pragma once
// libheif, opened on the first HEIF file: the functions the HEIF codec calls, resolved from the
// library's versioned soname. Heif() throws EHeifError "HEIF: cannot load libheif.so.N" when the
// library is missing.
#include "codecs/heif/HeifCodec.h"

#include <libheif/heif.h>

// clang-format off
#define KALVO_HEIF_FUNCTIONS(X) \
    X(heif_context_alloc) \
    X(heif_context_free) \
    X(heif_context_get_primary_image_handle) \
    X(heif_context_read_from_memory_without_copy) \
    X(heif_context_set_maximum_image_size_limit) \
    X(heif_decode_image) \
    X(heif_decoding_options_alloc) \
    X(heif_decoding_options_free) \
    X(heif_image_get_bits_per_pixel_range) \
    X(heif_image_get_height) \
    X(heif_image_get_plane_readonly) \
    X(heif_image_get_width) \
    X(heif_image_handle_get_height) \
    X(heif_image_handle_get_list_of_thumbnail_IDs) \
    X(heif_image_handle_get_luma_bits_per_pixel) \
    X(heif_image_handle_get_number_of_thumbnails) \
    X(heif_image_handle_get_thumbnail) \
    X(heif_image_handle_get_width) \
    X(heif_image_handle_has_alpha_channel) \
    X(heif_image_handle_release) \
    X(heif_image_release)
// clang-format on

namespace kalvo {

struct THeifLibrary {
#define KALVO_HEIF_MEMBER(name) decltype(&::name) name = nullptr;
    KALVO_HEIF_FUNCTIONS(KALVO_HEIF_MEMBER)
#undef KALVO_HEIF_MEMBER
};

const THeifLibrary& Heif();

} // namespace kalvo
