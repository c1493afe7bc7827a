#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An independent implementation of the laboratory's characteristics and of
its Runge-Kutta run, written from the description of the method: doubles
where the program keeps doubles, single precision where it keeps single
precision (the angular velocity carried from step to step, the fourth
angular-velocity increment, the right-hand sides, the energy). The model
tests pin the values it prints; run it to regenerate them.

Usage: tests/model/reference_run.py
"""
import math
import struct

PI = 3.1415926536
TWO_PI = 6.2831853072
THREE_PI = 9.4247779608
G = 9.814
K = 3.1415926536 / 180


def single(x):
    return struct.unpack('f', struct.pack('f', x))[0]


def characteristics(m, d2, d1, c_shar, L, M, D, c_ster, ro_0, eta, fi0, wz0, n):
    r2 = d2 / 2
    a = L - d2 / 2
    l = L - d2
    c = {}
    c['fi0_rad'] = fi0 * K
    ro = 6 * m / (PI * d2 ** 3)
    ro_st = 4 * M / (PI * D ** 2 * L)
    MI = m * (d2 ** 5 - d1 ** 5) / (10 * (d2 ** 3 - d1 ** 3)) + m * a ** 2 + M * L ** 2 / 3
    c['MI'] = MI
    delta_shar = THREE_PI * d2 * a ** 2
    c['delta'] = eta / (2 * MI) * delta_shar  # both masses present
    W02_shar = m * (1 - ro_0 / ro) * a
    W02_st = M * (L / 2 - l * (ro_0 / ro_st) / 2)
    c['Mm_L'] = W02_st + W02_shar
    c['W02'] = c['Mm_L'] * G / MI
    W0 = math.sqrt(abs(c['W02']))
    c['W0'] = W0
    c['Ws'] = math.sqrt(abs(c['delta'] ** 2 - W0 ** 2))
    c['T0'] = TWO_PI / W0
    if W0 > c['delta']:
        c['Ts'] = TWO_PI / c['Ws']
        c['Teta'] = c['delta'] * c['Ts']
        c['dobrot'] = single(PI / c['Teta'])
    c['eta_kr'] = single(2 * MI * W0 / (THREE_PI * d2 * a ** 2))
    fi_2_x_shar = PI * c_shar * r2 ** 5 * ((L / r2 - 1) ** 3 + 3 * (L / r2 - 1) / 4)
    fi_2_x_st = l ** 4 * D * c_ster / 4
    c['fi_2_x'] = ro_0 / (2 * MI) * (fi_2_x_st + fi_2_x_shar)
    c['shag'] = c['T0'] / n
    c['W_00'] = MI * wz0 ** 2 / 2 + c['Mm_L'] * (math.cos(c['fi0_rad']) * (-G))
    return c


def ff_2(c, fi, wz):
    drag = (-2 * c['delta']) * wz - wz * (abs(wz) * c['fi_2_x'])
    return single(drag - c['W02'] * math.sin(fi))


def run(c, wz0, steps):
    h = c['shag']
    fi = c['fi0_rad']
    wz = single(wz0)
    t = 0.0
    for _ in range(steps):
        k11 = h * single(wz)
        k12 = h * ff_2(c, fi, wz)
        k21 = h * single(wz + k12 / 2)
        k22 = h * ff_2(c, fi + k11 / 2, wz + k12 / 2)
        k31 = h * single(wz + k22 / 2)
        k32 = h * ff_2(c, fi + k21 / 2, wz + k22 / 2)
        k41 = h * single(wz + k32)
        k42 = single(h * ff_2(c, fi + k31, wz + k32))
        fi_new = fi + (k11 + 2 * k21 + 2 * k31 + k41) / 6
        wz_new = wz + (k12 + 2 * k22 + 2 * k32 + k42) / 6
        fi = fi_new
        wz = single(wz_new)
        t = t + h
    W = single(c['MI'] * wz_new ** 2 / 2 + c['Mm_L'] * (math.cos(fi_new) * (-G)))
    return t, fi_new, wz_new, W


def main():
    # The default body in a viscous liquid: eta = 10 Pa*s, below the
    # critical viscosity, and 50 Pa*s, above it.
    for eta in (10.0, 50.0):
        c = characteristics(15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 1000, eta, 37, -3.5, 100)
        print(f'eta = {eta}')
        for key in ('delta', 'W0', 'Ws', 'T0', 'Ts', 'eta_kr', 'Teta', 'dobrot', 'shag', 'W_00'):
            if key in c:
                print(f'  {key} = {c[key]!r}')
        for steps in (1, 2, 50):
            t, fi, wz, W = run(c, -3.5, steps)
            print(f'  after {steps} steps: t = {t.hex()} fi = {fi.hex()} wz = {wz.hex()} W = {W.hex()}'
                  f'  ({t!r}, {fi / K!r} deg, {wz!r}, {W!r})')


if __name__ == '__main__':
    main()
