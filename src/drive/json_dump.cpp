#include "drive/json_dump.h"

#include <charconv>
#include <cmath>

namespace orlavex {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0.
std::size_t utf8_length(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80           ? 1
                    : (b >> 5) == 0x6  ? 2
                    : (b >> 4) == 0xE  ? 3
                    : (b >> 3) == 0x1E ? 4
                                       : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return 0;
    }
    return n;
}

std::string number(double x) {
    if (!std::isfinite(x)) return "null";
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}

class Writer {
  public:
    void key(std::string_view k) {
        comma();
        out_ += json_string(k);
        out_ += ':';
        fresh_ = true;
    }
    void open(char c) {
        comma();
        out_ += c;
        fresh_ = true;
    }
    void close(char c) {
        out_ += c;
        fresh_ = false;
    }
    void raw(std::string_view v) {
        comma();
        out_ += v;
        fresh_ = false;
    }
    void str(std::string_view v) { raw(json_string(v)); }
    void boolean(bool v) { raw(v ? "true" : "false"); }
    void integer(long long v) { raw(std::to_string(v)); }
    void num(double v) { raw(number(v)); }
    std::string take() { return std::move(out_); }

  private:
    void comma() {
        if (!fresh_) out_ += ',';
        fresh_ = false;
    }
    std::string out_;
    bool fresh_ = true;
};

void control_properties(Writer& w, const Calculator& calc, Ctl id) {
    const ControlRow& row = layout_row(id);
    const Control& c = calc.form[id];
    w.open('{');
    const Kind k = row.kind;
    if (k == Kind::Field) {
        w.key("text");
        w.str(c.text);
    } else if (k != Kind::Picture && k != Kind::Circle && k != Kind::Box && k != Kind::Line &&
               k != Kind::Group) {
        w.key("caption");
        w.str(c.text);
    }
    w.key("enabled");
    w.boolean(c.enabled);
    w.key("visible");
    w.boolean(c.visible);
    if (k == Kind::Item) {
        w.key("checked");
        w.boolean(c.checked);
    }
    if (k == Kind::Menu || k == Kind::Item) {
        w.close('}');
        return;
    }
    if (k == Kind::Field || k == Kind::Label || k == Kind::Check || k == Kind::Option) {
        w.key("tooltip");
        w.str(c.tooltip);
    }
    if (k == Kind::Check) {
        w.key("value");
        w.integer(c.value);
    } else if (k == Kind::Option) {
        w.key("value");
        w.boolean(c.value != 0);
    }
    if (c.backcolor != colour::none) {
        w.key("backcolor");
        w.integer(c.backcolor);
    }
    if (c.forecolor != colour::none) {
        w.key("forecolor");
        w.integer(c.forecolor);
    }
    if (c.fillcolor != colour::none) {
        w.key("fillcolor");
        w.integer(c.fillcolor);
    }
    if (k == Kind::Field || k == Kind::Label || k == Kind::Check || k == Kind::Option ||
        k == Kind::Frame || k == Kind::Button) {
        w.key("fontsize");
        w.num(c.fontsize);
    }
    w.key("left");
    w.integer(c.left);
    w.key("top");
    w.integer(c.top);
    if (k == Kind::Field) {
        w.key("selstart");
        w.integer(c.selstart);
        w.key("sellength");
        w.integer(c.sellength);
    }
    w.close('}');
}

void controls_of(Writer& w, const Calculator& calc, Ctl window) {
    w.open('{');
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const ControlRow& row = layout[i];
        if (row.kind == Kind::Window || window_of(row.id) != window || row.index > 0) continue;
        w.key(row.name);
        if (row.index == 0) {
            w.open('[');
            const int count = item_count(row.id);
            for (int k = 0; k < count; ++k)
                control_properties(w, calc, item(row.id, k));
            w.close(']');
        } else {
            control_properties(w, calc, row.id);
        }
    }
    w.close('}');
}

void name_or_null(Writer& w, Ctl id) {
    if (id == Ctl::none) {
        w.raw("null");
    } else {
        w.str(layout_row(id).name);
    }
}

}  // namespace

std::string json_string(std::string_view s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const char ch = s[i];
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
            ++i;
        } else if (b < 0x20) {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[b >> 4];
            out += hex[b & 0xF];
            ++i;
        } else if (const std::size_t n = utf8_length(s, i); n > 0) {
            out.append(s, i, n);
            i += n;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    out += '"';
    return out;
}

std::string dump_json(const Calculator& calc) {
    const CalcState& s = calc.state;
    Writer w;
    w.open('{');
    w.key("controls");
    controls_of(w, calc, Ctl::frmNFCalc);
    w.key("state");
    w.open('{');
    const std::pair<const char*, double> values[] = {
        {"DUT_InMatch", s.DUT_InMatch},
        {"DUT_OutMatch", s.DUT_OutMatch},
        {"NS_Match", s.NS_Match},
        {"SA_InMatch", s.SA_InMatch},
        {"ExtPA_InMatch", s.ExtPA_InMatch},
        {"ENR_Unc", s.ENR_Unc},
        {"SA_Noise", s.SA_Noise},
        {"Freq", s.Freq},
        {"Freq2", s.Freq2},
        {"DUT_Gain", s.DUT_Gain},
        {"ENR", s.ENR},
        {"Toff", s.Toff},
        {"CalON", s.CalON},
        {"CalOFF", s.CalOFF},
        {"MeasON", s.MeasON},
        {"MeasOFF", s.MeasOFF},
        {"DUT_NF", s.DUT_NF},
        {"ExtPA_Gain", s.ExtPA_Gain},
        {"ExtPA_NF", s.ExtPA_NF},
        {"SAGainUnc", s.SAGainUnc},
        {"SANFUnc", s.SANFUnc},
        {"RL_Max", s.RL_Max},
        {"SA_FreqMax", s.SA_FreqMax},
        {"NS_FreqMax", s.NS_FreqMax},
        {"FreqMax", s.FreqMax},
        {"FormReady", s.FormReady ? 1.0 : 0.0},
        {"StepSize", s.StepSize},
        {"DUT_InGamma", s.DUT_InGamma},
        {"DUT_OutGamma", s.DUT_OutGamma},
        {"SA_InGamma", s.SA_InGamma},
        {"NS_Gamma", s.NS_Gamma},
        {"ToffK", s.ToffK},
        {"NF_Unc", s.NF_Unc},
        {"NF_Bias", s.NF_Bias},
    };
    for (const auto& [name, value] : values) {
        w.key(name);
        w.num(value);
    }
    w.close('}');
    w.key("focus");
    name_or_null(w, calc.form.focus);
    w.key("popup");
    name_or_null(w, calc.form.popup);
    w.key("opened");
    w.open('[');
    for (const std::string& url : calc.form.opened)
        w.str(url);
    w.close(']');
    w.key("height");
    w.integer(calc.form.height);
    w.key("caption");
    w.str(calc.form.caption);
    w.key("dialog");
    name_or_null(w, calc.form.dialog);
    if (calc.form.dialog != Ctl::none) {
        w.key("dialog_controls");
        controls_of(w, calc, calc.form.dialog);
    }
    w.close('}');
    return w.take();
}

}  // namespace orlavex
