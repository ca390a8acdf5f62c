S = 0; N = 0
for _ in range(400):
    N = N + 1
    for J in range(1, 501):
        S = S + N * J
print(S)
