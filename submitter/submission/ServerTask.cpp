#include "ServerTask.h"

#include "JobQueue.h"

#ifdef _WIN32
#include <oleauto.h>
#include <windows.h>

#include <vector>
#endif

namespace z9 {
namespace {

#ifdef _WIN32

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(const wchar_t* text, int length) {
    if (!text || length <= 0) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

std::string HResultText(HRESULT hr, const EXCEPINFO* info) {
    if (info && info->bstrDescription)
        return Narrow(info->bstrDescription, SysStringLen(info->bstrDescription));
    char buffer[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(hr), 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text.empty() ? "Automation error" : text;
}

// ZorvanServer.ServerTask, late-bound through IDispatch by its ProgID.
class ComServerTask : public ServerTask {
public:
    explicit ComServerTask(IDispatch* object) : object_(object) {}
    ~ComServerTask() override { object_->Release(); }

    std::string QueueLocation() override {
        return AsText(Invoke(L"QueueLocation", DISPATCH_PROPERTYGET, {}));
    }
    std::string ValidateCredentials(const std::string& user, const std::string& password,
                                    const std::string& domain, const std::string& requestKey) override {
        return AsText(Invoke(L"ValidateCredentials", DISPATCH_METHOD, {user, password, domain, requestKey}));
    }
    bool MkP8Dir(const std::string& user, const std::string& domain, const std::string& path,
                 const std::string& level) override {
        return AsBool(Invoke(L"MkP8Dir", DISPATCH_METHOD, {user, domain, path, level}));
    }
    bool SubmitTask(const std::string& fileName) override {
        return AsBool(Invoke(L"SubmitTask", DISPATCH_METHOD, {fileName}));
    }

private:
    struct Variant {
        VARIANT v;
        Variant() { VariantInit(&v); }
        ~Variant() { VariantClear(&v); }
    };

    std::unique_ptr<Variant> Invoke(const wchar_t* name, WORD flags, const std::vector<std::string>& args) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) throw RunTimeError(HResultText(hr, nullptr));
        // Arguments go in reverse order.
        std::vector<VARIANT> params(args.size());
        for (size_t i = 0; i < args.size(); ++i) {
            VARIANT& p = params[args.size() - 1 - i];
            VariantInit(&p);
            p.vt = VT_BSTR;
            std::wstring w = Wide(args[i]);
            p.bstrVal = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
        }
        DISPPARAMS dp = {params.empty() ? nullptr : params.data(), nullptr, static_cast<UINT>(params.size()),
                         0};
        auto result = std::make_unique<Variant>();
        EXCEPINFO info = {};
        hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dp, &result->v, &info, nullptr);
        for (auto& p : params)
            VariantClear(&p);
        if (FAILED(hr)) {
            std::string text = HResultText(hr, hr == DISP_E_EXCEPTION ? &info : nullptr);
            SysFreeString(info.bstrSource);
            SysFreeString(info.bstrDescription);
            SysFreeString(info.bstrHelpFile);
            throw RunTimeError(text);
        }
        return result;
    }

    static std::string AsText(const std::unique_ptr<Variant>& value) {
        Variant text;
        HRESULT hr = VariantChangeType(&text.v, &value->v, 0, VT_BSTR);
        if (FAILED(hr)) throw RunTimeError("Type mismatch");
        return Narrow(text.v.bstrVal, static_cast<int>(SysStringLen(text.v.bstrVal)));
    }

    static bool AsBool(const std::unique_ptr<Variant>& value) {
        Variant flag;
        HRESULT hr = VariantChangeType(&flag.v, &value->v, 0, VT_BOOL);
        if (FAILED(hr)) throw RunTimeError("Type mismatch");
        return flag.v.boolVal != VARIANT_FALSE;
    }

    IDispatch* object_;
};

std::unique_ptr<ServerTask> PlatformServerTask() {
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)init; // already initialised by the window system, or in another mode: both fine
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"ZorvanServer.ServerTask", &clsid))) return nullptr;
    IDispatch* object = nullptr;
    if (FAILED(
            CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&object))) ||
        !object)
        return nullptr;
    return std::make_unique<ComServerTask>(object);
}

#else

// The server's class does not exist here: every server is reached through its queue share.
std::unique_ptr<ServerTask> PlatformServerTask() {
    return nullptr;
}

#endif

ServerTaskFactory& Factory() {
    static ServerTaskFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<ServerTask> CreateServerTask(const std::string& server) {
    if (!server.empty() && !IsLocalServer(server)) return nullptr;
    return Factory() ? Factory()() : PlatformServerTask();
}

ServerTaskFactory SetServerTaskFactory(ServerTaskFactory factory) {
    ServerTaskFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

} // namespace z9
