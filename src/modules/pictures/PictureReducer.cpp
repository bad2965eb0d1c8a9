// SPDX-License-Identifier: GPL-3.0-or-later
#include "modules/pictures/PictureReducer.h"

#include "modules/pictures/PictureReduce.h"
#include "support/InstalledFile.h"
#include "support/ModuleFunctions.h"

namespace {

constexpr const char* kModuleName = "tarvex4-pictures.so";

}  // namespace

std::string PictureModulePath() { return InstalledFile(kModuleName, "TARVEX4_PICTURES_MODULE"); }

PictureReducer::PictureReducer(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

bool PictureReducer::Load(std::string& problem) {
    if (!m_tried) {
        m_tried = true;
        if (m_modulePath.empty()) m_modulePath = PictureModulePath();
        std::string why;
        const std::vector<void*> functions =
            ModuleFunctions(m_modulePath, {TARVEX4_REDUCE_SYMBOL, TARVEX4_FREE_SYMBOL}, why);
        if (functions.empty()) {
            m_loadProblem =
                "the picture module " + m_modulePath + " could not be loaded (" + why + "); is libvips installed?";
        } else {
            m_reduce = functions[0];
            m_free = functions[1];
        }
    }
    problem = m_loadProblem;
    return m_loadProblem.empty();
}

PictureReducer::Result PictureReducer::Reduce(const unsigned char* bytes, std::size_t count, std::size_t maxBytes) {
    Result result;
    if (!Load(result.problem)) return result;
    Tarvex4Reduced reduced{};
    const auto reduce = reinterpret_cast<Tarvex4ReduceFunction>(m_reduce);
    const auto release = reinterpret_cast<Tarvex4FreeFunction>(m_free);
    if (reduce(bytes, count, kMaxSide, maxBytes, &reduced) == 0) {
        result.problem = reduced.problem;
        return result;
    }
    result.ok = true;
    result.bytes.assign(reinterpret_cast<const char*>(reduced.bytes), reduced.count);
    result.width = reduced.width;
    result.height = reduced.height;
    result.kind = reduced.kind == TARVEX4_REDUCED_PNG ? PictureKind::Png : PictureKind::Jpeg;
    release(&reduced);
    return result;
}
