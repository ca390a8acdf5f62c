import math
S = 0
for I in range(1, 60001):
    S = S + math.sin(math.radians(I)) * math.cos(math.radians(I / 2)) + math.sqrt(I) - abs(S / 1000)
print(S)
