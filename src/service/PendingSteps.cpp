// Temporary stand-ins for the synchronisation steps that are still being written; the real
// definitions (strong symbols) replace them at link time.
#include <stdexcept>

#include "service/TcadQuarvex.h"

namespace synchub::service {
namespace {
[[noreturn]] void pending(const char* what) {
    throw std::runtime_error(std::string(what) + " is not built yet");
}
}  // namespace

__attribute__((weak)) void TcadQuarvex::Enviasincronizmo(const std::string&, bool) {
    pending("Enviasincronizmo");
}
__attribute__((weak)) void TcadQuarvex::EnviaSincronismostatus(const std::string&, const std::string&,
                                                               const std::string&) {
    pending("EnviaSincronismostatus");
}
__attribute__((weak)) void TcadQuarvex::Recebesincronizmo(const std::string&, const std::string&) {
    pending("Recebesincronizmo");
}
__attribute__((weak)) void TcadQuarvex::Recebesincronizmoitem(const std::string&, const std::string&,
                                                              std::int32_t, std::int32_t) {
    pending("Recebesincronizmoitem");
}
__attribute__((weak)) void TcadQuarvex::Recebesincronizmofotos(const std::string&, const std::string&,
                                                               std::int32_t, std::int32_t) {
    pending("Recebesincronizmofotos");
}
__attribute__((weak)) void TcadQuarvex::geraparcelapedido(std::int32_t, std::int32_t, double,
                                                          const db::DateTime&) {
    pending("geraparcelapedido");
}
__attribute__((weak)) std::string TcadQuarvex::RetornaValor(const std::string&, const std::string&,
                                                            db::Connection&) {
    pending("RetornaValor");
}
}  // namespace synchub::service
