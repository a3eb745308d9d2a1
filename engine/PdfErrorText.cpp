// The table of libharu's error codes and the texts that name them.
#include "PdfErrorText.h"

#include <cstdio>

#include <hpdf.h>

namespace {

struct ErrorName {
    unsigned long code;
    const char *text;
};

const ErrorName ERROR_NAMES[] = {
    {HPDF_ARRAY_COUNT_ERR, "array count error"},
    {HPDF_ARRAY_ITEM_NOT_FOUND, "array item not found"},
    {HPDF_ARRAY_ITEM_UNEXPECTED_TYPE, "array item of unexpected type"},
    {HPDF_BINARY_LENGTH_ERR, "binary data too long"},
    {HPDF_CANNOT_GET_PALLET, "cannot get palette"},
    {HPDF_DICT_COUNT_ERR, "dictionary count error"},
    {HPDF_DICT_ITEM_NOT_FOUND, "dictionary item not found"},
    {HPDF_DICT_ITEM_UNEXPECTED_TYPE, "dictionary item of unexpected type"},
    {HPDF_DICT_STREAM_LENGTH_NOT_FOUND, "stream length not found"},
    {HPDF_DOC_ENCRYPTDICT_NOT_FOUND, "encryption dictionary not found"},
    {HPDF_DOC_INVALID_OBJECT, "invalid document object"},
    {HPDF_DUPLICATE_REGISTRATION, "duplicate registration"},
    {HPDF_EXCEED_JWW_CODE_NUM_LIMIT, "too many JWW codes"},
    {HPDF_ENCRYPT_INVALID_PASSWORD, "invalid password"},
    {HPDF_ERR_UNKNOWN_CLASS, "unknown object class"},
    {HPDF_EXCEED_GSTATE_LIMIT, "too many saved graphics states"},
    {HPDF_FAILD_TO_ALLOC_MEM, "memory allocation failed"},
    {HPDF_FILE_IO_ERROR, "file write error"},
    {HPDF_FILE_OPEN_ERROR, "cannot open file"},
    {HPDF_FONT_EXISTS, "font already registered"},
    {HPDF_FONT_INVALID_WIDTHS_TABLE, "invalid font widths table"},
    {HPDF_INVALID_AFM_HEADER, "invalid AFM header"},
    {HPDF_INVALID_ANNOTATION, "invalid annotation"},
    {HPDF_INVALID_BIT_PER_COMPONENT, "invalid bits per component"},
    {HPDF_INVALID_CHAR_MATRICS_DATA, "invalid character metrics data"},
    {HPDF_INVALID_COLOR_SPACE, "invalid colour space"},
    {HPDF_INVALID_COMPRESSION_MODE, "invalid compression mode"},
    {HPDF_INVALID_DATE_TIME, "invalid date or time"},
    {HPDF_INVALID_DESTINATION, "invalid destination"},
    {HPDF_INVALID_DOCUMENT, "invalid document"},
    {HPDF_INVALID_DOCUMENT_STATE, "invalid document state"},
    {HPDF_INVALID_ENCODER, "invalid encoder"},
    {HPDF_INVALID_ENCODER_TYPE, "invalid encoder type"},
    {HPDF_INVALID_ENCODING_NAME, "invalid encoding name"},
    {HPDF_INVALID_ENCRYPT_KEY_LEN, "invalid encryption key length"},
    {HPDF_INVALID_FONTDEF_DATA, "invalid font definition data"},
    {HPDF_INVALID_FONTDEF_TYPE, "invalid font definition type"},
    {HPDF_INVALID_FONT_NAME, "invalid font name"},
    {HPDF_INVALID_IMAGE, "invalid image"},
    {HPDF_INVALID_JPEG_DATA, "invalid JPEG data"},
    {HPDF_INVALID_N_DATA, "invalid N data"},
    {HPDF_INVALID_OBJECT, "invalid object"},
    {HPDF_INVALID_OBJ_ID, "invalid object id"},
    {HPDF_INVALID_OPERATION, "invalid operation"},
    {HPDF_INVALID_OUTLINE, "invalid outline"},
    {HPDF_INVALID_PAGE, "invalid page"},
    {HPDF_INVALID_PAGES, "invalid page tree"},
    {HPDF_INVALID_PARAMETER, "invalid parameter"},
    {HPDF_INVALID_PNG_IMAGE, "invalid PNG image"},
    {HPDF_INVALID_STREAM, "invalid stream"},
    {HPDF_MISSING_FILE_NAME_ENTRY, "missing file name entry"},
    {HPDF_INVALID_TTC_FILE, "invalid TTC file"},
    {HPDF_INVALID_TTC_INDEX, "invalid TTC index"},
    {HPDF_INVALID_WX_DATA, "invalid glyph width data"},
    {HPDF_ITEM_NOT_FOUND, "item not found"},
    {HPDF_LIBPNG_ERROR, "PNG library error"},
    {HPDF_NAME_INVALID_VALUE, "invalid name value"},
    {HPDF_NAME_OUT_OF_RANGE, "name too long"},
    {HPDF_PAGE_INVALID_PARAM_COUNT, "invalid parameter count"},
    {HPDF_PAGES_MISSING_KIDS_ENTRY, "page tree without kids entry"},
    {HPDF_PAGE_CANNOT_FIND_OBJECT, "page object not found"},
    {HPDF_PAGE_CANNOT_GET_ROOT_PAGES, "cannot get root page tree"},
    {HPDF_PAGE_CANNOT_RESTORE_GSTATE, "cannot restore graphics state"},
    {HPDF_PAGE_CANNOT_SET_PARENT, "cannot set page parent"},
    {HPDF_PAGE_FONT_NOT_FOUND, "no font selected"},
    {HPDF_PAGE_INVALID_FONT, "invalid font"},
    {HPDF_PAGE_INVALID_FONT_SIZE, "invalid font size"},
    {HPDF_PAGE_INVALID_GMODE, "drawing call not allowed here"},
    {HPDF_PAGE_INVALID_INDEX, "invalid page index"},
    {HPDF_PAGE_INVALID_ROTATE_VALUE, "invalid rotation value"},
    {HPDF_PAGE_INVALID_SIZE, "invalid page size"},
    {HPDF_PAGE_INVALID_XOBJECT, "invalid XObject"},
    {HPDF_PAGE_OUT_OF_RANGE, "page value out of range"},
    {HPDF_REAL_OUT_OF_RANGE, "real number out of range"},
    {HPDF_STREAM_EOF, "end of stream"},
    {HPDF_STREAM_READLN_CONTINUE, "stream line too long"},
    {HPDF_STRING_OUT_OF_RANGE, "string too long"},
    {HPDF_THIS_FUNC_WAS_SKIPPED, "function skipped"},
    {HPDF_TTF_CANNOT_EMBEDDING_FONT, "TrueType font cannot be embedded"},
    {HPDF_TTF_INVALID_CMAP, "invalid TrueType cmap"},
    {HPDF_TTF_INVALID_FOMAT, "invalid TrueType format"},
    {HPDF_TTF_MISSING_TABLE, "TrueType table missing"},
    {HPDF_UNSUPPORTED_FONT_TYPE, "unsupported font type"},
    {HPDF_UNSUPPORTED_FUNC, "unsupported function"},
    {HPDF_UNSUPPORTED_JPEG_FORMAT, "unsupported JPEG format"},
    {HPDF_UNSUPPORTED_TYPE1_FONT, "unsupported Type 1 font"},
    {HPDF_XREF_COUNT_ERR, "cross-reference count error"},
    {HPDF_ZLIB_ERROR, "compression library error"},
    {HPDF_INVALID_PAGE_INDEX, "invalid page index"},
    {HPDF_INVALID_URI, "invalid URI"},
    {HPDF_PAGE_LAYOUT_OUT_OF_RANGE, "page layout out of range"},
    {HPDF_PAGE_MODE_OUT_OF_RANGE, "page mode out of range"},
    {HPDF_PAGE_NUM_STYLE_OUT_OF_RANGE, "page number style out of range"},
    {HPDF_ANNOT_INVALID_ICON, "invalid annotation icon"},
    {HPDF_ANNOT_INVALID_BORDER_STYLE, "invalid annotation border style"},
    {HPDF_PAGE_INVALID_DIRECTION, "invalid page direction"},
    {HPDF_INVALID_FONT, "invalid font"},
    {HPDF_PAGE_INSUFFICIENT_SPACE, "insufficient space on page"},
    {HPDF_PAGE_INVALID_DISPLAY_TIME, "invalid display time"},
    {HPDF_PAGE_INVALID_TRANSITION_TIME, "invalid transition time"},
    {HPDF_INVALID_PAGE_SLIDESHOW_TYPE, "invalid slide show type"},
    {HPDF_EXT_GSTATE_OUT_OF_RANGE, "extended graphics state out of range"},
    {HPDF_INVALID_EXT_GSTATE, "invalid extended graphics state"},
    {HPDF_EXT_GSTATE_READ_ONLY, "extended graphics state is read-only"},
    {HPDF_INVALID_U3D_DATA, "invalid U3D data"},
    {HPDF_NAME_CANNOT_GET_NAMES, "cannot get names"},
    {HPDF_INVALID_ICC_COMPONENT_NUM, "invalid ICC component count"},
};

const char *NameOf(unsigned long code)
{
    for (const ErrorName &entry : ERROR_NAMES) {
        if (entry.code == code)
            return entry.text;
    }
    return "unknown error";
}

}  // namespace

std::string PdfErrorText(unsigned long code)
{
    char text[160];
    snprintf(text, sizeof text, "PDF library error 0x%04lX: %s", code, NameOf(code));
    return text;
}
