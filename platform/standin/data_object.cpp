// The data object the drag helper offers: text as CF_TEXT and a file list
// as CF_HDROP, each handed out as a fresh moveable memory block that the
// receiver frees (the medium names no object for release).
#include "platform/standin/ole_state.h"
#include "platform/standin/standin_input.h"

#include <cstring>
#include <new>
#include <vector>

using namespace standin::detail;

namespace {

struct Offer {
    CLIPFORMAT format;
    std::vector<unsigned char> bytes;
};

std::vector<unsigned char> fileListBlock(const standin::DragPayload& payload) {
    std::vector<unsigned char> names;
    for (const std::string& file : payload.files) {
        if (payload.wideFileNames) {
            const int n = MultiByteToWideChar(CP_ACP, 0, file.data(), static_cast<int>(file.size()),
                                              nullptr, 0);
            std::u16string wide(static_cast<std::size_t>(n), u'\0');
            if (n > 0)
                MultiByteToWideChar(CP_ACP, 0, file.data(), static_cast<int>(file.size()), &wide[0],
                                    n);
            wide += u'\0';
            const auto* raw = reinterpret_cast<const unsigned char*>(wide.data());
            names.insert(names.end(), raw, raw + wide.size() * sizeof(char16_t));
        } else {
            names.insert(names.end(), file.begin(), file.end());
            names.push_back(0);
        }
    }
    names.insert(names.end(), payload.wideFileNames ? 2 : 1, 0);
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = payload.wideFileNames ? TRUE : FALSE;
    std::vector<unsigned char> block(sizeof header);
    std::memcpy(block.data(), &header, sizeof header);
    block.insert(block.end(), names.begin(), names.end());
    return block;
}

HRESULT checkFormat(const FORMATETC* f, const std::vector<Offer>& offers) {
    if (!f) return E_INVALIDARG;
    bool offered = false;
    for (const Offer& o : offers)
        offered = offered || o.format == f->cfFormat;
    if (!offered) return DV_E_FORMATETC;
    if (f->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (f->lindex != -1) return DV_E_LINDEX;
    if (!(f->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return S_OK;
}

FORMATETC formatOf(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

class FormatEnumerator : public IEnumFORMATETC {
public:
    FormatEnumerator(std::vector<CLIPFORMAT> f, std::size_t at) : formats(std::move(f)), next(at) {}
    virtual ~FormatEnumerator() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumFORMATETC)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && next < formats.size(); ++n)
            out[n] = formatOf(formats[next++]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next += count;
        return next <= formats.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** copy) override {
        if (!copy) return E_POINTER;
        *copy = new (std::nothrow) FormatEnumerator(formats, next);
        return *copy ? S_OK : E_OUTOFMEMORY;
    }

private:
    std::vector<CLIPFORMAT> formats;
    std::size_t next;
    ULONG references = 1;
};

class MemoryDataObject : public IDataObject {
public:
    explicit MemoryDataObject(std::vector<Offer> o) : offers(std::move(o)) {
        OleState& state = ole();
        std::lock_guard<std::mutex> lock(state.mutex);
        ++state.liveDataObjects;
    }
    virtual ~MemoryDataObject() {
        OleState& state = ole();
        std::lock_guard<std::mutex> lock(state.mutex);
        --state.liveDataObjects;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!medium) return E_POINTER;
        const HRESULT h = checkFormat(format, offers);
        if (h != S_OK) return h;
        for (const Offer& o : offers) {
            if (o.format != format->cfFormat) continue;
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, o.bytes.size());
            if (!block) return E_OUTOFMEMORY;
            if (!o.bytes.empty()) {
                std::memcpy(GlobalLock(block), o.bytes.data(), o.bytes.size());
                GlobalUnlock(block);
            }
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = block;
            medium->pUnkForRelease = nullptr;
            return S_OK;
        }
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return checkFormat(format, offers);
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override {
        if (!out) return E_POINTER;
        if (in) *out = *in;
        out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        std::vector<CLIPFORMAT> formats;
        for (const Offer& o : offers)
            formats.push_back(o.format);
        *out = new (std::nothrow) FormatEnumerator(std::move(formats), 0);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    std::vector<Offer> offers;
    ULONG references = 1;
};

} // namespace

namespace standin {

IDataObject* createDataObject(const DragPayload& payload) {
    std::vector<Offer> offers;
    if (payload.offersText) {
        Offer text{CF_TEXT, std::vector<unsigned char>(payload.text.begin(), payload.text.end())};
        text.bytes.push_back(0);
        offers.push_back(std::move(text));
    }
    if (payload.offersFiles) offers.push_back(Offer{CF_HDROP, fileListBlock(payload)});
    return new MemoryDataObject(std::move(offers));
}

} // namespace standin
