#!/usr/bin/env python3
"""Runs the same Google Benchmark binary of two or more builds side by side, in alternating order
round after round so that the machine's load falls on each alike, and prints each workload's
median CPU time in milliseconds and the last build's over the first's.

Usage: compare-benchmarks.py ROUNDS FILTER BENCH_A BENCH_B [BENCH_C ...]
"""
import json, subprocess, sys, statistics, collections
rounds=int(sys.argv[1]); flt=sys.argv[2]; bins=sys.argv[3:]
res={b:collections.defaultdict(list) for b in bins}
for r in range(rounds):
    for b in (bins if r%2==0 else bins[::-1]):
        out=subprocess.run([b,'--benchmark_format=json','--benchmark_min_time=0.1','--benchmark_filter='+flt],capture_output=True,text=True).stdout
        for x in json.loads(out)['benchmarks']:
            res[b][x['name']].append(x['cpu_time']*{'ns':1e-6,'us':1e-3,'ms':1,'s':1e3}[x['time_unit']])
names=list(res[bins[0]].keys())
print(f"{'workload':55s} " + ' '.join(f'{"ms":>10s}' for b in bins) + '   ratio')
for n in names:
    m=[statistics.median(res[b][n]) if res[b][n] else float('nan') for b in bins]
    print(f"{n:55s} " + ' '.join(f'{v:10.3f}' for v in m) + f"   {m[-1]/m[0]:.2f}")
