// ZorvanServer.ServerTask through COM automation, late-bound by its ProgID.
#include "ServerTask.h"

#include "common/CodePage.h"
#include "common/SystemErrorText.h"

#include <windows.h>

#include <oleauto.h> // after windows.h, whose types it uses
#include <vector>

namespace z9 {
namespace {

// Automation speaks UTF-16; the program's text is ANSI bytes.
std::wstring Wide(const std::string& text) {
    std::u16string wide = AnsiToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(const wchar_t* text, int length) {
    if (!text || length <= 0) return {};
    return Utf16ToAnsi(std::u16string(text, text + length));
}

std::string HResultText(HRESULT hr, const EXCEPINFO* info) {
    if (info && info->bstrDescription)
        return Narrow(info->bstrDescription, SysStringLen(info->bstrDescription));
    std::string text = MessageTableText(static_cast<long>(hr));
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

} // namespace

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

} // namespace z9
