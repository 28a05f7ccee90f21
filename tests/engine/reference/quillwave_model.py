"""A second, deliberately plain implementation of the Quillwave effect engine.

Everything is scalar Python float arithmetic (IEEE double) with the C
library's cos, tan and tanh from the math module, one sample at a time, so
each step can be read against the algorithm it models.
"""

import math
import sys

PARAMETERS = [
    # name, default, min, max
    ("FilterTone", 0.5, 0.0, 1.0),
    ("HostBarStartPulse", 0.0, 0.0, 1.0),
    ("HostTempoBpm", 120.0, 0.0, 1000.0),
    ("HostTransportIsRunning", 0.0, 0.0, 1.0),
    ("MainFxOffOn", 0.0, 0.0, 1.0),
    ("MainInputGain", 0.5, 0.0, 1.0),
    ("MainInputMode", 0.0, 0.0, 3.0),
    ("MainOutputBlend", 1.0, 0.0, 1.0),
    ("MainOutputVolume", 0.5, 0.0, 1.0),
    ("MidiChannelInput", 1.0, 1.0, 1.0),
    ("QuillwaveBandwidth", 0.5, 0.0, 1.0),
    ("QuillwaveCenter", 0.5, 0.0, 1.0),
    ("QuillwaveFeedback", 0.5, 0.0, 1.0),
    ("QuillwaveMode", 0.0, 0.0, 1.0),
    ("QuillwaveRate", 0.5, 0.0, 1.0),
    ("PresetBackward", 0.0, 0.0, 1.0),
    ("PresetForward", 0.0, 0.0, 1.0),
    ("PresetLoad", 0.0, 0.0, 1.0),
    ("PresetSave", 0.0, 0.0, 1.0),
    ("PresetSelector", 0.0, -1.0, 10000.0),
    ("SaturationGain", 0.0, 0.0, 1.0),
    ("zInitParams", 0.0, 0.0, 1.0),
]
INDEX = {name: i for i, (name, _, _, _) in enumerate(PARAMETERS)}

TABLE_SIZE = 16384
TWO_32 = 4294967296.0


def guard(v):
    """Magnitudes of 2^1023 and above, infinities and NaN become 0."""
    if v != v or abs(v) >= 2.0 ** 1023:
        return 0.0
    return v


def flush(v):
    """Magnitudes below 2^-1021 become 0 (NaN stays)."""
    if abs(v) < 2.0 ** -1021:
        return 0.0
    return v


def clamp01(v):
    if v < 0.0:
        return 0.0
    if v > 1.0:
        return 1.0
    return v


def low32_of_trunc(v):
    if v != v or v in (math.inf, -math.inf):
        return 0
    return int(v) % (1 << 32)


def delay_length(rate):
    """truncate(rate) samples; 0 for zero, negative or non-finite rates,
    capped at 2^30."""
    if not (rate > 0.0 and math.isfinite(rate)):
        return 0
    if rate >= 2.0 ** 30:
        return 2 ** 30
    return int(rate)


def output_selector(e):
    """truncate(e + 1); NaN selects nothing (below 1), +inf processes."""
    if e != e:
        return 0
    if e == math.inf:
        return 2
    if e == -math.inf:
        return 0
    return math.trunc(e + 1.0)


class Delay:
    def __init__(self):
        self.mem = None
        self.size = 0
        self.max_delay = 0
        self.rd = 0
        self.wr = 0

    def setup(self, length):
        if self.mem is None:
            self.max_delay = length
            size = 2
            while size < max(length, 2):
                size *= 2
            self.size = size
            self.mem = [0.0] * size
        else:
            for j in range(self.size):
                self.mem[j] = 0.0
        self.wr = 0
        self.rd = self.wr

    def read(self, d):
        minimum = 1 if self.rd != self.wr else 0
        if not d >= minimum:     # also a NaN delay: it reads at the minimum
            d = float(minimum)
        if d > self.max_delay:
            d = float(self.max_delay)
        pos = float(self.size + self.rd) - d
        i = int(pos)
        frac = pos - i
        a = self.mem[i % self.size]
        b = self.mem[(i + 1) % self.size]
        return a + (b - a) * frac

    def write(self, v):
        self.wr = self.rd
        self.mem[self.rd] = v

    def advance(self):
        self.rd += 1
        if self.rd == self.size:
            self.rd = 0


class Engine:
    def __init__(self, rate):
        self.table = [math.cos(((j * 3.141592653589793) * 2.0) / TABLE_SIZE)
                      for j in range(TABLE_SIZE)]
        self.delay_a = Delay()
        self.delay_b = Delay()
        self.reset(rate)

    def reset(self, rate):
        self.rate = rate
        self.error = 0
        self.sat = [[0.0, 0.0, 0.0], [0.0, 0.0, 0.0]]     # path 1, path 2
        self.tone = [0.0, 0.0]
        length = delay_length(rate)
        self.delay_b.setup(length)
        self.delay_a.setup(length)
        self.values = [p[1] for p in PARAMETERS]
        self.phase = [0, 0]
        scale = TWO_32 / rate if rate > 0.0 else 0.0
        if scale == math.inf:
            scale = 0.0
        self.scale = [scale, scale]
        self.dc = [[0.0, 0.0], [0.0, 0.0]]

    def set_parameter(self, index, value):
        if index > 21:
            return
        _, _, lo, hi = PARAMETERS[index]
        if value < lo:
            value = lo
        elif value > hi:
            value = hi
        self.values[index] = value

    def write_value(self, index, value):
        self.values[index] = value

    def lookup(self, phase):
        index = phase >> 18
        nxt = (index + 1) & 16383
        frac = float(phase & 0x3FFFF) * 3.81471181759574e-06
        return self.table[index] + (self.table[nxt] - self.table[index]) * frac

    def perform(self, left, right):
        """Processes lists of input samples; returns the two output lists."""
        if self.error:
            return None
        v = self.values
        g_in = 2.0 * clamp01(guard(v[INDEX["MainInputGain"]]))
        g_out = 2.0 * clamp01(guard(v[INDEX["MainOutputVolume"]]))
        blend = clamp01(guard(v[INDEX["MainOutputBlend"]]))
        e = v[INDEX["MainFxOffOn"]]
        selector = output_selector(e)
        sat_gain = clamp01(guard(v[INDEX["SaturationGain"]]))
        g = 0.5 * sat_gain
        sat_on = sat_gain > 0.0
        drive = 1.0 + 5.0 * (g * g)
        makeup = 1.0 - 0.5 * math.sqrt(g)
        mode = clamp01(v[INDEX["QuillwaveMode"]])
        mode_index = math.trunc(mode + 1.0) if mode == mode else 0
        bw = guard(v[INDEX["QuillwaveBandwidth"]])
        ce = guard(v[INDEX["QuillwaveCenter"]])
        ra = guard(v[INDEX["QuillwaveRate"]])
        if mode_index >= 2:
            depth, centre, rate = 399.9 * bw + 0.1, 390.0 * ce + 10.0, 0.195 * ra + 0.005
            fb = 0.7 * guard(v[INDEX["QuillwaveFeedback"]])
        elif mode_index == 1:
            depth, centre, rate = 19.9 * bw + 0.1, 199.0 * ce + 1.0, 4.5 * ra + 0.5
            fb = 0.7 * guard(v[INDEX["QuillwaveFeedback"]])
        else:
            depth = centre = rate = fb = 0.0
        t = 0.8 * clamp01(guard(v[INDEX["FilterTone"]])) + 0.1
        high = t >= 0.5
        c = (t - 0.5) * 2.0 if high else 2.0 * t
        fc = c * c * c * 19980.0 + 20.0
        k = 0.0
        if self.rate > 0.0:
            angle = (fc * 3.1415926535898) / self.rate
            if math.isfinite(angle):
                k = math.tan(angle)
        h = 1.0 if high else 0.0
        if 0.45 < t <= 0.5:
            w = 1.0 - (t - 0.45) * 20.0
        elif 0.5 < t < 0.55:
            w = (t - 0.5) * 20.0
        else:
            w = 1.0
        routing_value = guard(v[INDEX["MainInputMode"]])
        routing = min(max(math.trunc(routing_value), 0), 3)

        inc_a = low32_of_trunc(rate * self.scale[0])
        inc_b = low32_of_trunc(rate * 1.31 * self.scale[1])
        out_l, out_r = [], []
        delays = (self.delay_a, self.delay_b)
        incs = (inc_a, inc_b)
        for x1, x2 in zip(left, right):
            if routing == 0:
                a1, a2 = x1, x2
            elif routing == 1:
                a1, a2 = x1, x1
            elif routing == 2:
                a1, a2 = x2, x2
            else:
                a1 = a2 = (x1 + x2) * 0.5
            dry = [a1 * g_in, a2 * g_in]
            s = list(dry)
            if e != 0.0:
                wets = []
                for p in (0, 1):
                    osc = self.lookup(self.phase[p])
                    self.phase[p] = (self.phase[p] + incs[p]) % (1 << 32)
                    wets.append(delays[p].read(osc * depth + centre))
                for p in (0, 1):
                    delays[p].write(flush(dry[p] - fb * wets[p]))
                    s[p] = dry[p] + wets[p]
            result = [0.0, 0.0]
            for p in (1, 0):
                z = self.tone[p]
                x = s[p]
                lp = (k * x + z) / (1.0 + k) if 1.0 + k != 0.0 else 0.0
                self.tone[p] = k * (x - lp) + lp
                f = ((x - lp - lp) * h + lp - x) * w + x
                u_prev, y_prev, h_prev = self.sat[p]
                u = f * drive
                y = math.tanh(1.3 * u_prev) * 1.1604655035579
                m = math.tanh(1.3 * (u_prev + (u - u_prev) * 0.5)) * 1.1604655035579
                r = ((y_prev - y) * 0.5 + y + h_prev) * 0.5
                r_prev, q_prev = self.dc[p]
                q = r - r_prev + 0.9997 * q_prev
                self.dc[p] = [r, q]
                result[p] = q * makeup if sat_on else f
                self.sat[p] = [flush(u), flush(y), flush(m)]
            outs = []
            for p, x in ((0, x1), (1, x2)):
                if selector >= 2:
                    o = ((result[p] - dry[p]) * blend + dry[p]) * g_out
                elif selector == 1:
                    o = x
                else:
                    o = 0.0
                if o <= -1.2:
                    o = -1.2
                elif o >= 1.2:
                    o = 1.2
                outs.append(o)
            out_l.append(outs[0])
            out_r.append(outs[1])
            self.delay_a.advance()
            self.delay_b.advance()
        return out_l, out_r


if __name__ == "__main__":
    sys.exit("import this module; run compare_with_engine.py")
