#include "runtime/core/program_image.h"

namespace talv {
namespace {
ProgramImage g_image;
}  // namespace

void SetProgramImage(const ProgramImage& image) { g_image = image; }
const ProgramImage& CurrentProgramImage() { return g_image; }
}  // namespace talv
